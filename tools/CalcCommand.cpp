#include "Cli.h"

#include "core/KivCalculator.h"
#include "core/KivParamList.h"

#include <cstring>
#include <vector>

namespace cli {

namespace {
constexpr int kMaxExpression = 255; // what the calculator's scan buffer holds
}

int runCalc(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Evaluates EXPR. Names in it take the values given with -p; "
                                     "with --params, lists the names instead.");
    parser.addPositionalArgument("EXPR", "The expression, e.g. \"W*2+H1\" (at most 255 characters).");
    const QCommandLineOption param({"p", "param"}, "Give parameter NAME the value VALUE.", "NAME=VALUE");
    const QCommandLineOption params("params", "List the parameter names of EXPR, one a line.");
    parser.addOption(param);
    parser.addOption(params);
    int exit = Ok;
    if (!parse(parser, args, "calc EXPR [-p NAME=VALUE]... [--params]", exit))
        return exit;

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        printError("calc takes one expression (use -- before one that starts with '-')");
        return Failed;
    }
    const QByteArray expression = utf8(positional.first());
    if (expression.size() > kMaxExpression) {
        printError(QString("the expression is longer than %1 characters").arg(kMaxExpression));
        return Failed;
    }

    KivParamList list;
    if (parser.isSet(params)) {
        KivGetCalcParam(expression.constData(), &list);
        for (int i = 0; const char* name = list.getParam(i); ++i)
            std::printf("%s\n", name);
        return Ok;
    }

    for (const QString& assignment : parser.values(param)) {
        const qsizetype eq = assignment.indexOf('=');
        if (eq <= 0) {
            printError(QString("-p takes NAME=VALUE, not '%1'").arg(assignment));
            return Failed;
        }
        const QByteArray name = utf8(assignment.left(eq));
        const QByteArray value = utf8(assignment.mid(eq + 1));
        if (name.size() > kMaxExpression || value.size() > kMaxExpression) {
            printError("parameter names and values hold at most 255 characters");
            return Failed;
        }
        list.addParam(name.constData(), value.constData());
    }

    // Room for any expansion, so that an overlong one is reported, not cut.
    std::vector<char> rewritten(static_cast<std::size_t>(kMaxExpression + 1) * (kMaxExpression + 1));
    KivGetCalcTrans(expression.constData(), &list, rewritten.data(), rewritten.size());
    if (std::strlen(rewritten.data()) > kMaxExpression) {
        printError(QString("the expression with its values is longer than %1 characters").arg(kMaxExpression));
        return Failed;
    }

    double result = 0.0;
    const int ok = KivCalculator(rewritten.data(), &result);
    std::printf("%.15g\n", result);
    if (!ok)
        printError(QString("cannot evaluate '%1'").arg(QString::fromUtf8(rewritten.data())));
    return ok ? Ok : Failed;
}

} // namespace cli
