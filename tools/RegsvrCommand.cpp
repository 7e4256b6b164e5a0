// SPDX-License-Identifier: MIT
#include "Cli.h"

#include "platform/io/RegistryStore.h"

#include <QFileInfo>

namespace cli {

namespace {
// Where registered controls are recorded: their file name → full path.
constexpr const char* kControlsKey = "Vandrel\\Controls";
} // namespace

int runRegsvr(const QStringList& args)
{
    // Windows-style switches, as the installer passes them.
    bool silent = false, unregister = false;
    QStringList rest {args.first()};
    for (const QString& a : args.mid(1)) {
        if (a.compare("/s", Qt::CaseInsensitive) == 0)
            silent = true;
        else if (a.compare("/u", Qt::CaseInsensitive) == 0)
            unregister = true;
        else
            rest << a;
    }
    QCommandLineParser parser;
    parser.setApplicationDescription("Registers a control file in the user's registry store (the key "
                                     "HKEY_CLASSES_ROOT\\Vandrel\\Controls), as the installer does for .ocx files.");
    parser.addPositionalArgument("FILE", "the control file");
    parser.addOption(QCommandLineOption(QString("silent"), "Print nothing on success (also /s)."));
    parser.addOption(QCommandLineOption(QString("unregister"), "Remove the registration (also /u)."));
    int exit = Ok;
    if (!parse(parser, rest, "regsvr [/s] [/u] FILE", exit))
        return exit;
    silent = silent || parser.isSet("silent");
    unregister = unregister || parser.isSet("unregister");
    if (parser.positionalArguments().size() != 1)
        return usageError("regsvr takes one file");
    const QFileInfo file(parser.positionalArguments().first());
    const QByteArray name = utf8(file.fileName());
    if (!unregister && !file.isFile()) {
        printError(QString("cannot register %1: no such file").arg(file.filePath()));
        return Failed;
    }
    bool registered = true;
    const bool changed = RegistryStore::Change(RegistryRoot::ClassesRoot, [&](RegistryStore& store) {
        if (unregister)
            return registered = store.removeValue(kControlsKey, name.constData());
        store.setValue(kControlsKey, name.constData(), utf8(file.absoluteFilePath()).constData());
        return true;
    });
    if (!registered) {
        printError(QString("%1 is not registered").arg(file.fileName()));
        return Failed;
    }
    if (!changed) {
        printError(
            QString("cannot write %1").arg(QString::fromStdString(RegistryStore(RegistryRoot::ClassesRoot).path())));
        return Failed;
    }
    if (!silent)
        std::printf("%s %s\n", unregister ? "Unregistered" : "Registered", utf8(file.absoluteFilePath()).constData());
    return Ok;
}

} // namespace cli
