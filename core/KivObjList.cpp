// SPDX-License-Identifier: MIT
#include "core/KivObjList.h"

#include <new>
#include <utility>

namespace {
void plainDelete(void* element)
{
    ::operator delete(element);
}
} // namespace

KivObjList::KivObjList() : m_deleter(&plainDelete)
{
}

KivObjList::~KivObjList()
{
    removeAll();
}

void KivObjList::linkBefore(KivObjLink* at, void* element)
{
    auto* link = new KivObjLink {element, nullptr, nullptr};
    if (!at) { // empty list
        m_head = m_tail = link;
    } else {
        link->previous = at->previous;
        link->next = at;
        if (at->previous)
            at->previous->next = link;
        at->previous = link;
        if (!link->previous)
            m_head = link;
    }
    ++m_count;
    changed();
}

void KivObjList::linkAfter(KivObjLink* at, void* element)
{
    auto* link = new KivObjLink {element, nullptr, nullptr};
    if (!at) {
        m_head = m_tail = link;
    } else {
        link->previous = at;
        link->next = at->next;
        if (at->next)
            at->next->previous = link;
        at->next = link;
        if (!link->next)
            m_tail = link;
    }
    ++m_count;
    changed();
}

void* KivObjList::unlink(KivObjLink* link)
{
    if (link->previous)
        link->previous->next = link->next;
    else
        m_head = link->next;
    if (link->next)
        link->next->previous = link->previous;
    else
        m_tail = link->previous;
    void* element = link->data;
    delete link;
    --m_count;
    changed();
    return element;
}

void KivObjList::addTail(void* element)
{
    linkAfter(m_tail, element);
}

void KivObjList::addHead(void* element)
{
    linkBefore(m_head, element);
}

void KivObjList::insertBefore(int position, void* element)
{
    if (!m_head)
        linkBefore(nullptr, element);
    else if (KivObjLink* at = getLink(position))
        linkBefore(at, element);
}

void KivObjList::insertAfter(int position, void* element)
{
    if (!m_head)
        linkAfter(nullptr, element);
    else if (KivObjLink* at = getLink(position))
        linkAfter(at, element);
}

void KivObjList::insertBefore(void* existing, void* element)
{
    insertBefore(find(existing, 0), element);
}

void KivObjList::insertAfter(void* existing, void* element)
{
    insertAfter(find(existing, 0), element);
}

void* KivObjList::getAt(int position) const
{
    const KivObjLink* link = getLink(position);
    return link ? link->data : nullptr;
}

int KivObjList::setAt(int position, void* element)
{
    KivObjLink* link = getLink(position);
    if (!link)
        return 0;
    link->data = element;
    return 1;
}

void* KivObjList::head() const
{
    return m_head ? m_head->data : nullptr;
}

void* KivObjList::tail() const
{
    return m_tail ? m_tail->data : nullptr;
}

void* KivObjList::removeHead()
{
    return m_head ? unlink(m_head) : nullptr;
}

void* KivObjList::removeTail()
{
    return m_tail ? unlink(m_tail) : nullptr;
}

void KivObjList::removeAt(int position)
{
    if (KivObjLink* link = getLink(position))
        unlink(link);
}

void KivObjList::removeAll()
{
    while (m_tail)
        unlink(m_tail);
}

void KivObjList::removeData()
{
    for (KivObjLink* link = m_head; link; link = link->next)
        m_deleter(link->data);
    removeAll();
}

int KivObjList::find(void* element, int start) const
{
    const KivObjLink* link = getLink(start);
    for (int position = start; link; link = link->next, ++position)
        if (link->data == element)
            return position;
    return -1;
}

void KivObjList::swap(int a, int b)
{
    KivObjLink* first = getLink(a);
    KivObjLink* second = getLink(b);
    if (first && second)
        std::swap(first->data, second->data);
}

int KivObjList::getCount() const
{
    return m_count;
}

int KivObjList::isEmpty() const
{
    return m_count <= 0 ? 1 : 0;
}

int KivObjList::isValid(int position) const
{
    return position >= 0 && position < m_count ? 1 : 0;
}

KivObjLink* KivObjList::getHead() const
{
    return m_head;
}

KivObjLink* KivObjList::getTail() const
{
    return m_tail;
}

KivObjLink* KivObjList::getLink(int position) const
{
    if (!isValid(position))
        return nullptr;
    // Walk from whichever known link is nearest: head, tail or the cursor.
    KivObjLink* link = m_head;
    int at = 0;
    if (m_count - 1 - position < position) {
        link = m_tail;
        at = m_count - 1;
    }
    if (m_cursor) {
        const int fromCursor = position > m_cursorPos ? position - m_cursorPos : m_cursorPos - position;
        const int fromBest = position > at ? position - at : at - position;
        if (fromCursor < fromBest) {
            link = m_cursor;
            at = m_cursorPos;
        }
    }
    while (at < position) {
        link = link->next;
        ++at;
    }
    while (at > position) {
        link = link->previous;
        --at;
    }
    m_cursor = link;
    m_cursorPos = position;
    return link;
}
