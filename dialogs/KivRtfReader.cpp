// SPDX-License-Identifier: MIT
#include "dialogs/KivRtfReader.h"

#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

namespace {

// Where the text of a group goes.
enum class Dest { Text, Skip, FontTable, ColourTable };

struct State {
    Dest dest = Dest::Text;
    bool bold = false, italic = false, underline = false;
    int halfPoints = 24;
    int colour = 0; // index into the colour table; 0 is the view's own
    int font = -1; // -1: the document's default font
    int unicodeSkip = 1; // \ucN: bytes that stand in for each \uN
};

// Destinations whose text is never shown. Anything marked \* is skipped too.
constexpr std::string_view kSkipped[] = {"stylesheet", "info", "pict", "object", "objdata", "header", "headerl",
    "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "annotation", "fldinst", "filetbl",
    "listtable", "listoverridetable", "revtbl", "rsidtbl", "themedata", "colorschememapping", "latentstyles",
    "datastore", "xmlnstbl", "generator", "userprops", "private", "nonshppict", "shp", "shpinst", "mmathPr", "pgdsctbl",
    "bkmkstart", "bkmkend", "xe", "tc", "txe", "atnid", "atnauthor", "comment", "docvar"};

QStringDecoder decoderFor(int codePage)
{
    if (codePage == 65001)
        return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    // ICU knows the Windows pages by these names; without ICU, Qt knows
    // none of them and the bytes read as Latin-1.
    for (const std::string& name : {"windows-" + std::to_string(codePage), "cp" + std::to_string(codePage)}) {
        QStringDecoder decoder(name.c_str(), QStringConverter::Flag::Stateless);
        if (decoder.isValid())
            return decoder;
    }
    return QStringDecoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
}

class Parser {
public:
    Parser(const std::uint8_t* data, std::size_t size) : m_p(data), m_end(data + size) { }

    void run();
    bool truncated() const { return m_truncated; }
    std::vector<KivRtfRun> takeRuns();

private:
    void openGroup();
    void closeGroup();
    void controlWord(const std::string& word, bool hasParam, int param);
    void controlSymbol(std::uint8_t symbol);
    void textByte(std::uint8_t byte);
    void put(const QString& text);
    void flush();
    int codePage() const;
    QString decode(const std::string& bytes, int codePage);
    State& top() { return m_stack.back(); }
    bool showing() const { return m_overflow == 0 && !m_stack.empty() && m_stack.back().dest == Dest::Text; }
    // A character that a \uN stands for: true when it is skipped.
    bool skipFallback();

    const std::uint8_t* m_p;
    const std::uint8_t* m_end;
    std::vector<State> m_stack;
    int m_overflow = 0; // groups below kMaxDepth being skipped whole
    bool m_groupStart = false; // no token yet in the group just opened
    bool m_done = false;
    bool m_truncated = false;
    int m_skipLeft = 0;
    int m_ansiCodePage = 1252;
    int m_defaultFont = -1;
    int m_fontDefined = -1; // the font the font table is describing
    std::map<int, int> m_fontCodePage;
    std::vector<COLORREF> m_colours; // index 0 stays "auto"
    std::vector<bool> m_colourSet;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colourGiven = false;
    std::string m_pending; // bytes in the current code page
    int m_pendingCodePage = 1252;
    struct Piece {
        State format;
        QString text;
    };
    std::vector<Piece> m_pieces;
    std::size_t m_textSize = 0;
    std::map<int, QStringDecoder> m_decoders;
};

// A decoder per code page, made once: opening one by name is slow.
QString Parser::decode(const std::string& bytes, int codePage)
{
    auto it = m_decoders.find(codePage);
    if (it == m_decoders.end()) {
        if (m_decoders.size() >= 32)
            m_decoders.clear();
        it = m_decoders.emplace(codePage, decoderFor(codePage)).first;
    }
    return it->second.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void Parser::run()
{
    while (m_p < m_end && !m_done) {
        const std::uint8_t c = *m_p++;
        if (c == '{') {
            openGroup();
        } else if (c == '}') {
            closeGroup();
        } else if (c == '\\') {
            if (m_p >= m_end)
                break;
            if (std::isalpha(*m_p)) {
                std::string word;
                while (m_p < m_end && std::isalpha(*m_p)) {
                    if (word.size() < 32)
                        word += static_cast<char>(*m_p);
                    ++m_p;
                }
                bool negative = false, hasParam = false;
                if (m_p < m_end && *m_p == '-') {
                    negative = true;
                    ++m_p;
                }
                long long value = 0;
                while (m_p < m_end && std::isdigit(*m_p)) {
                    hasParam = true;
                    value = std::min<long long>(value * 10 + (*m_p - '0'), 1LL << 31);
                    ++m_p;
                }
                if (m_p < m_end && *m_p == ' ')
                    ++m_p;
                if (negative)
                    value = -value;
                const int param = static_cast<int>(std::clamp<long long>(value, -2147483647LL, 2147483647LL));
                controlWord(word, hasParam, param);
            } else {
                controlSymbol(*m_p++);
            }
            m_groupStart = false;
        } else if (c != '\r' && c != '\n') {
            textByte(c);
            m_groupStart = false;
        }
        if (m_textSize >= KivRtfReader::kMaxText) {
            m_truncated = true;
            break;
        }
    }
    flush();
}

void Parser::openGroup()
{
    flush();
    m_skipLeft = 0;
    if (m_overflow > 0 || (!m_stack.empty() && m_stack.size() >= static_cast<std::size_t>(KivRtfReader::kMaxDepth))) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_stack.empty() ? State() : m_stack.back());
    m_groupStart = true;
}

void Parser::closeGroup()
{
    flush();
    m_skipLeft = 0;
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (m_stack.empty())
        return;
    m_stack.pop_back();
    // The document's group has ended: what follows it is no part of it.
    if (m_stack.empty())
        m_done = true;
}

int Parser::codePage() const
{
    const int font = m_stack.empty() || m_stack.back().font < 0 ? m_defaultFont : m_stack.back().font;
    const auto it = m_fontCodePage.find(font);
    return it != m_fontCodePage.end() && it->second != 0 ? it->second : m_ansiCodePage;
}

bool Parser::skipFallback()
{
    if (m_skipLeft <= 0)
        return false;
    --m_skipLeft;
    return true;
}

void Parser::textByte(std::uint8_t byte)
{
    if (m_overflow > 0 || m_stack.empty())
        return;
    State& s = top();
    if (s.dest == Dest::ColourTable) {
        if (byte == ';') {
            if (m_colours.size() < KivRtfReader::kMaxTableEntries) {
                m_colours.push_back(RGB(m_red, m_green, m_blue));
                m_colourSet.push_back(m_colourGiven);
            }
            m_red = m_green = m_blue = 0;
            m_colourGiven = false;
        }
        return;
    }
    if (s.dest != Dest::Text || skipFallback())
        return;
    if (byte < 0x20 && byte != '\t')
        return;
    if (m_pending.empty())
        m_pendingCodePage = codePage();
    else if (m_pendingCodePage != codePage())
        flush();
    m_pending += static_cast<char>(byte);
}

void Parser::controlSymbol(std::uint8_t symbol)
{
    switch (symbol) {
    case '\'': {
        int value = 0, digits = 0;
        while (digits < 2 && m_p < m_end && std::isxdigit(*m_p)) {
            const int c = std::tolower(*m_p++);
            value = value * 16 + (std::isdigit(c) ? c - '0' : c - 'a' + 10);
            ++digits;
        }
        if (digits > 0)
            textByte(static_cast<std::uint8_t>(value));
        return;
    }
    case '\\':
    case '{':
    case '}': textByte(symbol); return;
    case '*':
        if (!m_stack.empty() && m_overflow == 0 && top().dest != Dest::ColourTable)
            top().dest = Dest::Skip;
        return;
    case '~':
        if (showing() && !skipFallback())
            put(QString(QChar(0x00A0)));
        return;
    case '_':
        if (showing() && !skipFallback())
            put(QString(QChar(0x2011)));
        return;
    case '\n':
    case '\r':
        if (showing())
            put(QStringLiteral("\n"));
        return;
    default: skipFallback(); return; // \- \| \: and the like show nothing
    }
}

void Parser::controlWord(const std::string& word, bool hasParam, int param)
{
    if (word == "bin") {
        // Binary data: skipped, however many bytes it claims.
        const std::size_t n = hasParam && param > 0 ? static_cast<std::size_t>(param) : 0;
        m_p += std::min<std::size_t>(n, static_cast<std::size_t>(m_end - m_p));
        return;
    }
    if (m_overflow > 0 || m_stack.empty())
        return;
    State& s = top();
    if (m_groupStart) {
        if (word == "fonttbl") {
            s.dest = Dest::FontTable;
            return;
        }
        if (word == "colortbl") {
            s.dest = Dest::ColourTable;
            m_colours.assign(0, 0);
            m_colourSet.clear();
            m_red = m_green = m_blue = 0;
            m_colourGiven = false;
            return;
        }
        if (std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped)) {
            s.dest = Dest::Skip;
            return;
        }
    }
    if (s.dest == Dest::ColourTable) {
        const int v = std::clamp(param, 0, 255);
        if (word == "red")
            m_red = v;
        else if (word == "green")
            m_green = v;
        else if (word == "blue")
            m_blue = v;
        else
            return;
        m_colourGiven = true;
        return;
    }
    if (s.dest == Dest::FontTable) {
        if (word == "f" && hasParam)
            m_fontDefined = param;
        else if (word == "fcharset" && hasParam && m_fontCodePage.size() < KivRtfReader::kMaxTableEntries)
            m_fontCodePage[m_fontDefined] = KivRtfReader::CodePageOfCharset(param);
        else if (word == "cpg" && hasParam && param > 0 && m_fontCodePage.size() < KivRtfReader::kMaxTableEntries)
            m_fontCodePage[m_fontDefined] = param;
        return;
    }
    // Document properties and formatting hold in skipped groups too: they
    // end with their group.
    if (word == "ansicpg" && hasParam && param > 0) {
        m_ansiCodePage = param;
        return;
    }
    if (word == "deff" && hasParam) {
        m_defaultFont = param;
        return;
    }
    if (word == "uc") {
        s.unicodeSkip = std::clamp(hasParam ? param : 1, 0, 16);
        return;
    }
    const bool on = !hasParam || param != 0;
    if (word == "b" || word == "i" || word == "ul" || word == "ulnone" || word == "uld" || word == "uldb"
        || word == "ulw" || word == "plain" || word == "fs" || word == "cf" || word == "f") {
        flush();
        if (word == "b")
            s.bold = on;
        else if (word == "i")
            s.italic = on;
        else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw")
            s.underline = on;
        else if (word == "ulnone")
            s.underline = false;
        else if (word == "fs")
            s.halfPoints = std::clamp(hasParam ? param : 24, 2, 3276);
        else if (word == "cf")
            s.colour = std::max(hasParam ? param : 0, 0);
        else if (word == "f")
            s.font = hasParam ? param : -1;
        else {
            s.bold = s.italic = s.underline = false;
            s.halfPoints = 24;
            s.colour = 0;
            s.font = -1;
        }
        return;
    }
    if (s.dest != Dest::Text)
        return;
    if (word == "u" && hasParam) {
        if (!skipFallback())
            put(QString(QChar(static_cast<char16_t>(static_cast<unsigned>(param) & 0xFFFFu))));
        m_skipLeft = s.unicodeSkip;
        return;
    }
    static const std::map<std::string, char16_t> kCharacters = {{"par", u'\n'}, {"sect", u'\n'}, {"page", u'\n'},
        {"line", u'\u2028'}, {"tab", u'\t'}, {"emdash", u'\u2014'}, {"endash", u'\u2013'}, {"bullet", u'\u2022'},
        {"lquote", u'\u2018'}, {"rquote", u'\u2019'}, {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'},
        {"emspace", u' '}, {"enspace", u' '}, {"qmspace", u' '}};
    if (const auto it = kCharacters.find(word); it != kCharacters.end()) {
        if (!skipFallback())
            put(QString(QChar(it->second)));
        return;
    }
    skipFallback();
}

void Parser::flush()
{
    if (m_pending.empty())
        return;
    const QString text = decode(m_pending, m_pendingCodePage);
    m_pending.clear();
    put(text);
}

void Parser::put(const QString& text)
{
    if (text.isEmpty() || m_stack.empty())
        return;
    if (!m_pending.empty()) {
        // Bytes before this text come first.
        const std::string bytes = std::move(m_pending);
        m_pending.clear();
        put(decode(bytes, m_pendingCodePage));
    }
    const std::size_t room = KivRtfReader::kMaxText - std::min(m_textSize, KivRtfReader::kMaxText);
    const QString part = static_cast<std::size_t>(text.size()) > room ? text.left(static_cast<qsizetype>(room)) : text;
    if (part.size() < text.size())
        m_truncated = true;
    if (part.isEmpty())
        return;
    m_textSize += static_cast<std::size_t>(part.size());
    const State& s = m_stack.back();
    if (!m_pieces.empty()) {
        const State& last = m_pieces.back().format;
        const bool same = last.bold == s.bold && last.italic == s.italic && last.underline == s.underline
            && last.halfPoints == s.halfPoints && last.colour == s.colour;
        if (same || m_pieces.size() >= KivRtfReader::kMaxRuns) {
            m_pieces.back().text += part;
            return;
        }
    }
    m_pieces.push_back({s, part});
}

std::vector<KivRtfRun> Parser::takeRuns()
{
    std::vector<KivRtfRun> runs;
    runs.reserve(m_pieces.size());
    for (const Piece& piece : m_pieces) {
        KivRtfRun run;
        run.text = piece.text.toStdString();
        run.bold = piece.format.bold;
        run.italic = piece.format.italic;
        run.underline = piece.format.underline;
        run.halfPoints = piece.format.halfPoints;
        const auto index = static_cast<std::size_t>(piece.format.colour);
        if (index > 0 && index < m_colours.size() && m_colourSet[index]) {
            run.hasColour = true;
            run.colour = m_colours[index];
        }
        runs.push_back(std::move(run));
    }
    m_pieces.clear();
    return runs;
}

} // namespace

bool KivRtfReader::IsRtf(const std::uint8_t* data, std::size_t size)
{
    return data && size >= 5 && std::memcmp(data, "{\\rtf", 5) == 0;
}

bool KivRtfReader::Read(const std::uint8_t* data, std::size_t size)
{
    m_runs.clear();
    m_truncated = false;
    if (!IsRtf(data, size))
        return false;
    try {
        Parser parser(data, size);
        parser.run();
        m_runs = parser.takeRuns();
        m_truncated = parser.truncated();
    } catch (...) {
        // Out of memory on the way: what was read is lost, the view stays empty.
        m_runs.clear();
        m_truncated = true;
    }
    return true;
}

CString KivRtfReader::GetText() const
{
    CString text;
    for (const KivRtfRun& run : m_runs)
        text += run.text;
    return text;
}

int KivRtfReader::CodePageOfCharset(int charset)
{
    static const std::map<int, int> kPages
        = {{77, 10000}, {128, 932}, {129, 949}, {130, 1361}, {134, 936}, {136, 950}, {161, 1253}, {162, 1254},
            {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250}, {255, 437}};
    const auto it = kPages.find(charset);
    return it == kPages.end() ? 0 : it->second;
}

CString KivRtfReader::DecodePlainText(const std::uint8_t* data, std::size_t size)
{
    if (!data || size == 0)
        return {};
    const auto bytes = QByteArrayView(data, static_cast<qsizetype>(std::min<std::size_t>(size, kMaxText * 2)));
    QString text;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder korean = decoderFor(949);
        text = korean.decode(bytes);
        // ICU puts in a replacement or a private-use character for a byte
        // pair that is no Korean text, without reporting an error.
        const bool faulty = korean.hasError() || std::any_of(text.cbegin(), text.cend(), [](QChar c) {
            return c == QChar::ReplacementCharacter || (c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF);
        });
        if (faulty)
            text = QString::fromLatin1(bytes);
    }
    if (static_cast<std::size_t>(text.size()) > kMaxText)
        text.truncate(static_cast<qsizetype>(kMaxText));
    return text.toStdString();
}
