// SPDX-License-Identifier: MIT
#include "core/KivCalculator.h"

#include "core/KivParamList.h"
#include "platform/services/MessageBox.h"

#include <QLoggingCategory>

#include <cmath>
#include <cstdlib>
#include <cstring>

Q_LOGGING_CATEGORY(lcCalc, "vandrel.core.calc", QtWarningMsg)

namespace {

constexpr int kBufferSize = 256;

enum class Token {
    FunctionName,
    UndefinedName,
    Number,
    End,
    Separator,
    LeftParen,
    RightParen,
    LeftBracket,
    RightBracket,
    Mul,
    Plus,
    Minus,
    Div,
    Assign,
    Power,
};

struct Function {
    const char* name;
    double (*apply)(double);
};

double sinOf(double x)
{
    return std::sin(x);
}
double cosOf(double x)
{
    return std::cos(x);
}
double tanOf(double x)
{
    return std::tan(x);
}

const Function kFunctions[] = {{"sin", &sinOf}, {"cos", &cosOf}, {"tan", &tanOf}};

// The module-wide scanning state: one buffer, one look-ahead token.
struct Scanner {
    char buffer[kBufferSize];
    int position = 0;
    Token token = Token::End;
    double number = 0.0;
    char name[kBufferSize];
    int function = -1;
    int errors = 0;
};

Scanner g_scan;

// The C library's classes for 7-bit characters, free of the locale; bytes
// above 127 belong to no class and so make bad tokens.
bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}
bool isLetter(int c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isSpace(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

void load(const char* text)
{
    std::memset(g_scan.buffer, 0, sizeof g_scan.buffer);
    CopyBounded(g_scan.buffer, sizeof g_scan.buffer, text);
    g_scan.position = 0;
}

// Every read advances, the terminating NUL included; reads past the buffer
// see NUL.
int readChar()
{
    const int p = g_scan.position++;
    return p >= 0 && p < kBufferSize ? static_cast<unsigned char>(g_scan.buffer[p]) : 0;
}

int charAtPosition()
{
    const int p = g_scan.position;
    return p >= 0 && p < kBufferSize ? static_cast<unsigned char>(g_scan.buffer[p]) : 0;
}

double report(const char* message)
{
    ++g_scan.errors;
    qCDebug(lcCalc, "KivCalc : %s", message);
    return 1.0;
}

Token nextToken()
{
    int c;
    do {
        c = readChar();
    } while (c != '\n' && c != 0 && isSpace(c));

    switch (c) {
    case 0: return g_scan.token = Token::End;
    case '\n':
    case ';': return g_scan.token = Token::Separator;
    case '(': return g_scan.token = Token::LeftParen;
    case ')': return g_scan.token = Token::RightParen;
    case '[': return g_scan.token = Token::LeftBracket;
    case ']': return g_scan.token = Token::RightBracket;
    case '*': return g_scan.token = Token::Mul;
    case '+': return g_scan.token = Token::Plus;
    case '-': return g_scan.token = Token::Minus;
    case '/': return g_scan.token = Token::Div;
    case '=': return g_scan.token = Token::Assign;
    case '^': return g_scan.token = Token::Power;
    default: break;
    }

    if (isDigit(c) || c == '.') {
        --g_scan.position;
        char run[kBufferSize];
        int n = 0;
        for (c = readChar(); isDigit(c) || c == '.'; c = readChar())
            if (n < kBufferSize - 1)
                run[n++] = static_cast<char>(c);
        run[n] = '\0';
        --g_scan.position;
        g_scan.number = std::atof(run); // "1.2.3" reads as 1.2
        return g_scan.token = Token::Number;
    }

    if (isLetter(c)) {
        int n = 0;
        for (; isLetter(c) || isDigit(c); c = readChar())
            if (n < kBufferSize - 1)
                g_scan.name[n++] = static_cast<char>(c);
        g_scan.name[n] = '\0';
        --g_scan.position;
        g_scan.function = -1;
        for (int i = 0; i < static_cast<int>(std::size(kFunctions)); ++i)
            if (std::strcmp(g_scan.name, kFunctions[i].name) == 0)
                g_scan.function = i;
        return g_scan.token = g_scan.function >= 0 ? Token::FunctionName : Token::UndefinedName;
    }

    report("bad token");
    return g_scan.token = Token::Separator;
}

double expression();

double primary()
{
    switch (g_scan.token) {
    case Token::Number: {
        const double value = g_scan.number;
        nextToken();
        return value;
    }
    case Token::FunctionName: {
        const int function = g_scan.function;
        nextToken();
        return kFunctions[function].apply(primary());
    }
    case Token::UndefinedName: ++g_scan.errors; return 0.0;
    case Token::Minus: nextToken(); return -primary();
    case Token::LeftParen: {
        nextToken();
        const double value = expression();
        if (g_scan.token != Token::RightParen)
            return report(") expected");
        nextToken();
        return value;
    }
    case Token::LeftBracket: {
        nextToken();
        const double value = expression();
        if (g_scan.token != Token::RightBracket)
            return report("] expected");
        nextToken();
        return std::sqrt(value);
    }
    case Token::End:
        // An operand missing at the very end counts as 1 without complaint.
        return 1.0;
    default: return report("primary expected");
    }
}

double term()
{
    double left = primary();
    for (;;) {
        switch (g_scan.token) {
        case Token::Mul:
            nextToken();
            left *= primary();
            break;
        case Token::Div: {
            nextToken();
            const double divisor = primary();
            if (divisor == 0.0) {
                report("divide by 0");
                MessageBox(AfxGetMainWnd(), "0으로 나눌 수 없습니다!", "Error", MB_ICONSTOP | MB_OK);
                left = 0.0;
            } else {
                left /= divisor;
            }
            break;
        }
        case Token::Power:
            nextToken();
            left = std::pow(left, primary());
            break;
        default: return left;
        }
    }
}

double expression()
{
    double left = term();
    for (;;) {
        switch (g_scan.token) {
        case Token::Plus:
            nextToken();
            left += term();
            break;
        case Token::Minus:
            nextToken();
            left -= term();
            break;
        default: return left;
        }
    }
}

// Calls onName(name, length) for every parameter name in text and
// onOther(c) for every other character, in order.
template <class OnName, class OnOther> void scanNames(const char* text, OnName onName, OnOther onOther)
{
    load(text);
    const char* s = g_scan.buffer;
    int i = 0;
    while (s[i] != '\0') {
        if (isLetter(static_cast<unsigned char>(s[i]))) {
            const int start = i;
            while (isLetter(static_cast<unsigned char>(s[i])) || isDigit(static_cast<unsigned char>(s[i])))
                ++i;
            onName(s + start, i - start);
        } else {
            onOther(s[i]);
            ++i;
        }
    }
    g_scan.position = i;
}

} // namespace

int KivCalculator(const char* text, double* result)
{
    if (!result)
        return 0;
    *result = -1.0e-30;
    if (!text || text[0] == '\0') {
        *result = 0.0;
        return 1;
    }
    load(text);
    g_scan.errors = 0;
    do {
        const Token token = nextToken();
        if (token == Token::End)
            break;
        if (token != Token::Separator)
            *result = expression();
    } while (charAtPosition() != 0);
    return g_scan.errors == 0 ? 1 : 0;
}

int KivGetCalcParam(const char* text, KivParamList* list)
{
    if (!list)
        return 1;
    list->removeData();
    if (!text)
        return 1;
    scanNames(
        text,
        [list](const char* name, int length) {
            char buffer[kBufferSize];
            CopyBounded(buffer, static_cast<std::size_t>(length) + 1, name);
            if (!list->isExist(buffer))
                list->addParam(buffer, "0.0");
        },
        [](char) {});
    return 1;
}

int KivGetCalcTrans(const char* text, KivParamList* list, char* output, std::size_t capacity)
{
    if (!output || capacity == 0)
        return 1;
    output[0] = '\0';
    if (!text || text[0] == '\0')
        return 1;
    std::size_t used = 0;
    auto put = [&](const char* s, std::size_t n) {
        const std::size_t room = capacity - 1 - used;
        if (n > room)
            n = room;
        std::memcpy(output + used, s, n);
        used += n;
    };
    scanNames(
        text,
        [&](const char* name, int length) {
            char buffer[kBufferSize];
            char value[KivParamData::kTextSize];
            CopyBounded(buffer, static_cast<std::size_t>(length) + 1, name);
            if (list && list->getValue(buffer, value) && value[0] != '\0')
                put(value, std::strlen(value));
            else
                put(name, static_cast<std::size_t>(length));
        },
        [&](char c) { put(&c, 1); });
    output[used] = '\0';
    return 1;
}

int KivGetCalcTrans(const char* text, KivParamList* list, char* output)
{
    return KivGetCalcTrans(text, list, output, kBufferSize);
}
