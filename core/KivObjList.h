// SPDX-License-Identifier: MIT
// The doubly linked list of untyped element pointers that every list of the
// libraries derives from. Positions are 0-based, -1 is "none". The list owns
// its links, never its elements, except that removeData frees them with the
// list's element deleter. Lists are never copied.
#pragma once

#include "core/KivCore_export.h"

struct KivObjLink {
    void* data = nullptr;
    KivObjLink* previous = nullptr;
    KivObjLink* next = nullptr;
};

class KIVCORE_EXPORT KivObjList {
public:
    using ElementDeleter = void (*)(void*);

    KivObjList();
    ~KivObjList();
    KivObjList(const KivObjList&) = delete;
    KivObjList& operator=(const KivObjList&) = delete;

    void addTail(void* element);
    void addHead(void* element);
    // A position (or an existing element) that names no link in a non-empty
    // list inserts nothing: the element stays the caller's.
    void insertBefore(int position, void* element);
    void insertAfter(int position, void* element);
    void insertBefore(void* existing, void* element);
    void insertAfter(void* existing, void* element);

    void* getAt(int position) const;
    int setAt(int position, void* element);
    void* head() const;
    void* tail() const;

    void* removeHead();
    void* removeTail();
    void removeAt(int position);
    void removeAll();
    // Frees every element with the element deleter, then empties the list.
    void removeData();

    int find(void* element, int start = 0) const;
    // Both positions must name links; otherwise nothing changes.
    void swap(int a, int b);
    int getCount() const;
    int isEmpty() const;

    // Frees an element allocated with new T (a typed list installs it).
    template <class T> static void deleteElement(void* element) { delete static_cast<T*>(element); }

protected:
    int isValid(int position) const;
    KivObjLink* getHead() const;
    KivObjLink* getTail() const;
    KivObjLink* getLink(int position) const;

    // removeData frees with this; the default is plain operator delete,
    // which matches elements made with new of a type without destructor.
    void setElementDeleter(ElementDeleter deleter) { m_deleter = deleter; }

private:
    void linkBefore(KivObjLink* at, void* element);
    void linkAfter(KivObjLink* at, void* element);
    void* unlink(KivObjLink* link);
    void changed() const
    {
        m_cursor = nullptr;
        m_cursorPos = -1;
    }

    KivObjLink* m_head = nullptr;
    // The tail, the count and the cursor only speed up access; callers that
    // walk with getAt(i) for i = 0, 1, … cost O(n) in all, not O(n²).
    KivObjLink* m_tail = nullptr;
    int m_count = 0;
    mutable KivObjLink* m_cursor = nullptr;
    mutable int m_cursorPos = -1;
    ElementDeleter m_deleter;
};
