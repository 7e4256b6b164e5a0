// SPDX-License-Identifier: MIT
// Texts shown to the user, in the language of the user's locale, through
// Qt's translation system. The source text is the program's own, in
// whichever language it is written (the calculator's messages in Korean, the
// dialogs' captions in English); the Korean catalogue gives Korean for the
// English ones, the English catalogue English for the Korean ones, and the C
// locale or a language without a catalogue shows the source unchanged. The
// catalogues (translations/vandrel_*.ts) are built into this library; their
// .qm files are also installed for other programs to read.
#pragma once

#include "platform/KivPlatform_export.h"
#include "platform/base/CString.h"

#include <QString>

// source in the catalogue of the current locale (QLocale(), which follows
// LANG and LC_MESSAGES unless the program set another default), under
// context; source itself when the catalogue has nothing for it.
KIVPLATFORM_EXPORT QString KivTranslateText(const char* context, const char* source);
KIVPLATFORM_EXPORT CString KivTranslate(const char* context, const char* source);

// The catalogue's name for language ("ko", "en"), or null when there is none.
KIVPLATFORM_EXPORT const char* KivCatalogueName(int qtLanguage);
