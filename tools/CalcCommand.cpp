// SPDX-License-Identifier: MIT
#include "Cli.h"

#include "core/KivCalculator.h"
#include "core/KivParamList.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace cli {

namespace {
constexpr int kMaxExpression = 255; // what the calculator's scan buffer holds

// The calculator's functions, which its list of names also holds.
bool isFunction(const char* name)
{
    for (const char* f : {"sin", "cos", "tan"})
        if (std::strcmp(name, f) == 0)
            return true;
    return false;
}
} // namespace

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
    // "-2^2" and "-W" are expressions, not options: an argument that starts
    // with "-" and is no option of ours is taken as the expression.
    QStringList options;
    QStringList expressions;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool takesValue = a == "-p" || a == "--param";
        static const QStringList known = {"-p", "--param", "--params", "-h", "--help", "--help-all", "--"};
        if (i > 0 && a.size() > 1 && a.startsWith('-') && !known.contains(a) && !a.startsWith("--param="))
            expressions << a;
        else
            options << a;
        if (takesValue && i + 1 < args.size())
            options << args.at(++i);
    }
    int exit = Ok;
    if (!parse(parser, options, "calc EXPR [-p NAME=VALUE]... [--params]", exit))
        return exit;

    const QStringList positional = parser.positionalArguments() + expressions;
    if (positional.size() != 1)
        return usageError("calc takes one expression (use -- before one that starts with '-')");
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

    // Say why an expression cannot be evaluated, before trying it.
    KivParamList names;
    KivGetCalcParam(expression.constData(), &names);
    for (int i = 0; const char* name = names.getParam(i); ++i)
        if (!list.isExist(name) && !isFunction(name)) {
            printError(QString("unknown parameter '%1' (give it with -p %1=VALUE)").arg(QString::fromUtf8(name)));
            return Failed;
        }
    int depth = 0;
    for (const char c : expression) {
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (depth < 0)
            break;
    }
    if (depth != 0) {
        printError(QString("unbalanced parenthesis in '%1'").arg(QString::fromUtf8(expression)));
        return Failed;
    }

    double result = 0.0;
    if (!KivCalculator(rewritten.data(), &result)) {
        printError(QString("cannot evaluate '%1'").arg(QString::fromUtf8(rewritten.data())));
        return Failed;
    }
    if (!std::isfinite(result)) {
        printError(QString("'%1' has no finite value").arg(QString::fromUtf8(expression)));
        return Failed;
    }
    std::printf("%.15g\n", result);
    return Ok;
}

} // namespace cli
