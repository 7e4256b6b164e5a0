// SPDX-License-Identifier: MIT
#include "Cli.h"

#include "core/KivAciColor.h"
#include "platform/base/CString.h"

namespace cli {

int runAci(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Shows an AutoCAD Color Index colour: its RGB value and its names. "
                                     "COLOR is a number (0-256) or a name (red, 빨간색, bylayer …).");
    parser.addPositionalArgument("COLOR", "index or name");
    int exit = Ok;
    if (!parse(parser, args, "aci COLOR", exit))
        return exit;
    if (parser.positionalArguments().size() != 1)
        return usageError("aci takes one colour");
    const QByteArray text = utf8(parser.positionalArguments().first());
    int index = KivAciColor::GetColor(text.constData(), 1);
    if (index == 0 && text != "0" && CompareNoCase(text.constData(), "BYBLOCK") != 0)
        index = KivAciColor::GetColor(text.constData(), 0);
    const COLORREF rgb = static_cast<COLORREF>(KivAciColor::GetRGB(index));
    char english[KivAciColor::kNameSize], korean[KivAciColor::kNameSize];
    KivAciColor::GetName(index, 1, english);
    KivAciColor::GetName(index, 0, korean);
    std::printf("index:   %d\n", index);
    std::printf(
        "rgb:     %s (%d, %d, %d)\n", utf8(colorText(rgb)).constData(), GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    std::printf("english: %s\n", english);
    std::printf("korean:  %s\n", korean);
    return Ok;
}

} // namespace cli
