// SPDX-License-Identifier: MIT
#include "platform/base/Translation.h"

#include <QLocale>
#include <QTranslator>

#include <memory>
#include <mutex>

namespace {

// The catalogue of the language last asked for. Texts are looked up in it
// directly rather than through QCoreApplication: a command draws no window
// and may have no application object, and the libraries' catalogue must not
// stand in front of a host's own.
struct Catalogue {
    std::mutex lock;
    bool chosen = false;
    QLocale::Language language = QLocale::AnyLanguage;
    std::unique_ptr<QTranslator> translator;
};

Catalogue& catalogue()
{
    static Catalogue c;
    return c;
}

} // namespace

const char* KivCatalogueName(int qtLanguage)
{
    switch (qtLanguage) {
    case QLocale::Korean: return "ko";
    case QLocale::English: return "en";
    default: return nullptr;
    }
}

QString KivTranslateText(const char* context, const char* source)
{
    const QString text = QString::fromUtf8(source ? source : "");
    if (text.isEmpty())
        return text;
    const QLocale::Language wanted = QLocale().language();
    Catalogue& c = catalogue();
    const std::lock_guard<std::mutex> guard(c.lock);
    if (!c.chosen || wanted != c.language) {
        c.chosen = true;
        c.language = wanted;
        c.translator.reset();
        if (const char* name = KivCatalogueName(wanted)) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(QString(":/vandrel/i18n/vandrel_%1.qm").arg(QLatin1String(name))))
                c.translator = std::move(translator);
        }
    }
    if (!c.translator)
        return text;
    const QString translated = c.translator->translate(context, source);
    return translated.isEmpty() ? text : translated;
}

CString KivTranslate(const char* context, const char* source)
{
    return KivTranslateText(context, source).toStdString();
}
