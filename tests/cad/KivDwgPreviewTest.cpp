// SPDX-License-Identifier: MIT
#include "platform/io/RegistryStore.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ProcessService.h"
#include "support/DwgWriter.h"
#include "support/HttpTestServer.h"
#include "views/CKivDwgPreviewCtrl.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>

#include <cstdlib>
#include <filesystem>
#include <functional>

using namespace testsupport;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00;

// A 4 × 2 preview: the top row white, the bottom row red (palette 0 white, 1 red).
Bytes tinyBitmap()
{
    return makeDib8(4, 2, {kWhite, kRed, kGreen}, {0, 0, 0, 0, 1, 1, 2, 2});
}

Bytes header80()
{
    return Bytes(80, 0x11);
}

COLORREF at(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

QImage paint(const Bytes& dwg, int w, int h, COLORREF back, COLORREF imageBack, int autoSize, int invert)
{
    TempDir dir;
    writeFile(dir.file("d.dwg"), dwg);
    QImage image(w, h, QImage::Format_RGB32);
    {
        CDC dc(&image);
        KivDwgPreview reader;
        CKivDwgPreviewCtrl::Paint(
            dc, nullptr, CRect(0, 0, w, h), reader, dir.file("d.dwg").c_str(), back, imageBack, autoSize, invert);
    }
    return image;
}

} // namespace

TEST(KivDwgPreview, VersionNumbers)
{
    EXPECT_EQ(KivDwgPreview::VersionNumber("AC1014"), 1400);
    EXPECT_EQ(KivDwgPreview::VersionNumber("AC1013"), 1304);
    EXPECT_EQ(KivDwgPreview::VersionNumber("AC1012"), 1300);
    EXPECT_EQ(KivDwgPreview::VersionNumber("AC1009"), 1200);
    EXPECT_EQ(KivDwgPreview::VersionNumber("AC1015"), 1499);
    EXPECT_EQ(KivDwgPreview::VersionNumber("AC1032"), 1499);
    EXPECT_EQ(KivDwgPreview::VersionNumber("AC1010"), 1299);
    EXPECT_EQ(KivDwgPreview::VersionNumber("AC1.40"), 0);
    EXPECT_EQ(KivDwgPreview::VersionNumber(""), 0);
    // Releases before 13 whose text sorts above "AC1014".
    EXPECT_EQ(KivDwgPreview::VersionNumber("AC2.10"), 0);
    EXPECT_EQ(KivDwgPreview::VersionNumber("AC2.22"), 0);
    EXPECT_EQ(KivDwgPreview::VersionNumber("MC0.0"), 0);
    EXPECT_EQ(KivDwgPreview::VersionNumber("AC10\x1b"
                                           "4"),
        0);
}

TEST(KivDwgPreview, ThePictureLiesAtItsEntrysStart)
{
    // The header data stored after the bitmap: the bitmap does not follow it.
    const Bytes dwg = makeDwg("AC1015", {{1, header80()}, {2, tinyBitmap()}}, 0x60, true, true);
    const QImage image = paint(dwg, 10, 6, RGB(0, 0, 255), RGB(255, 0, 0), 0, 0);
    EXPECT_EQ(at(image, 3, 2), RGB(255, 0, 0));
    EXPECT_EQ(at(image, 5, 3), RGB(0, 255, 0));

    // An entry pointing outside the image data falls back to the old rule.
    Bytes stray = makeDwg("AC1015", {{1, header80()}, {2, tinyBitmap()}});
    stray[0x60 + 20 + 1 + 9 + 1] = 0x01; // the bitmap's start, low byte
    EXPECT_EQ(at(paint(stray, 10, 6, RGB(0, 0, 255), RGB(255, 0, 0), 0, 0), 3, 2), RGB(255, 0, 0));
}

// The core library's reader, which the text commands use, finds the same
// section and size as the preview reader and adds ".DWG" as it does.
TEST(KivDwgFile, ReadsTheSectionWithoutDecodingAndFindsTheDwgSpelling)
{
    testsupport::TempDir dir;
    writeFile(dir.file("PART.DWG"), makeDwg("AC1015", {{1, header80()}, {2, tinyBitmap()}}));
    KivDwgFile file;
    ASSERT_EQ(file.Open(dir.file("PART").c_str()), 1) << file.GetError();
    EXPECT_EQ(file.GetVersion(), 1499);
    std::vector<KivDwgPreviewEntry> fromFile, fromPreview;
    std::uint32_t at = 0, atPreview = 0;
    ASSERT_TRUE(file.ReadEntries(&at, &fromFile));
    int w = 0, h = 0;
    ASSERT_TRUE(file.ReadImageSize(&w, &h));
    KivDwgPreview preview;
    ASSERT_EQ(preview.Open(dir.file("PART").c_str()), 1);
    ASSERT_TRUE(preview.ReadEntries(&atPreview, &fromPreview));
    EXPECT_EQ(at, atPreview);
    ASSERT_EQ(fromFile.size(), fromPreview.size());
    int pw = 0, ph = 0;
    ASSERT_TRUE(preview.ReadImageSize(&pw, &ph));
    EXPECT_EQ(w, pw);
    EXPECT_EQ(h, ph);
    EXPECT_EQ(file.Open(dir.file("none").c_str()), 0);
    EXPECT_EQ(file.GetError(), "No such file or directory");
}

TEST(KivDwgPreview, OldReleasesAreNotReadAtTheNewAddress)
{
    // Release 2.1 with bytes at offset 13 that happen to lead to a section.
    const QImage image = paint(makeDwg("AC2.10", {{1, header80()}, {2, tinyBitmap()}}), 10, 6, RGB(1, 2, 3), 0, 0, 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(at(image, x, y), RGB(1, 2, 3)) << x << "," << y;
}

TEST(KivDwgPreview, HugeDeclaredPicturesAreNotDecoded)
{
    KivDwgPreview reader;
    int w = 0, h = 0;
    // 32768 × 32768 in a few bytes of runs: 4 GiB once decoded.
    const Bytes rle = makeDwg("AC1015", {{1, header80()}, {2, makeRle8Dib(32768, 32768, {kWhite}, {0, 1})}});
    reader.OpenBytes(rle.data(), rle.size());
    ASSERT_TRUE(reader.ReadImageSize(&w, &h)) << "the size is told without decoding";
    EXPECT_EQ(w, 32768);
    EXPECT_TRUE(reader.ReadImage(0).isNull());

    const Bytes png = makeDwg("AC1027", {{1, header80()}, {6, makePngHeader(100000, 100000)}});
    reader.OpenBytes(png.data(), png.size());
    ASSERT_TRUE(reader.ReadImageSize(&w, &h));
    EXPECT_EQ(h, 100000);
    EXPECT_TRUE(reader.ReadImage(0).isNull());

    // Runs within the cap are drawn: a run of two red pixels, end of bitmap.
    const Bytes small = makeDwg("AC1015", {{1, header80()}, {2, makeRle8Dib(3, 1, {kWhite, kRed}, {2, 1, 0, 1})}});
    reader.OpenBytes(small.data(), small.size());
    const QImage image = reader.ReadImage(RGB(0, 0, 255));
    ASSERT_EQ(image.size(), QSize(3, 1));
    EXPECT_EQ(at(image, 1, 0), RGB(255, 0, 0));
    EXPECT_EQ(at(image, 2, 0), RGB(0, 0, 255)) << "colour 0, white, recoloured";
}

TEST(KivDwgPreview, CentresAndRecoloursThePalette)
{
    const Bytes dwg = makeDwg("AC1015", {{1, header80()}, {2, tinyBitmap()}});
    const QImage image = paint(dwg, 10, 6, RGB(0, 0, 255), RGB(255, 0, 0), 0, 0);
    // (10 - 4) / 2 = 3, (6 - 2) / 2 = 2
    EXPECT_EQ(at(image, 3, 2), RGB(255, 0, 0)) << "white takes the image back colour";
    EXPECT_EQ(at(image, 3, 3), RGB(0, 255, 255)) << "red, the image back colour, takes its complement";
    EXPECT_EQ(at(image, 5, 3), RGB(0, 255, 0));
    EXPECT_EQ(at(image, 2, 2), RGB(0, 0, 255)) << "around it the back colour";
    EXPECT_EQ(at(image, 7, 2), RGB(0, 0, 255));
}

TEST(KivDwgPreview, AutoSizeFitsTheLimitingSide)
{
    const Bytes dwg
        = makeDwg("AC1018", {{1, header80()}, {2, makeDib8(100, 50, {kWhite}, std::vector<std::uint8_t>(5000, 0))}});
    const QImage image = paint(dwg, 300, 300, RGB(0, 0, 0), RGB(0, 255, 0), 1, 0);
    // 100 × 50 in 300 × 300: drawn 300 × 150 at (0, 75).
    EXPECT_EQ(at(image, 0, 75), RGB(0, 255, 0));
    EXPECT_EQ(at(image, 299, 224), RGB(0, 255, 0));
    EXPECT_EQ(at(image, 150, 74), RGB(0, 0, 0));
    EXPECT_EQ(at(image, 150, 225), RGB(0, 0, 0));
}

TEST(KivDwgPreview, InvertSwapsBothColours)
{
    const QImage blank = paint(makeDwg("AC1015", {}), 8, 8, RGB(0, 0, 0), RGB(0, 0, 0), 0, 1);
    EXPECT_EQ(at(blank, 4, 4), RGB(255, 255, 255)) << "back colour 0 fills white";
    const QImage image = paint(makeDwg("AC1015", {{1, header80()}, {2, tinyBitmap()}}), 10, 6, 0, RGB(0, 0, 0), 0, 1);
    EXPECT_EQ(at(image, 3, 2), RGB(255, 255, 255)) << "white takes the inverted image back colour";
}

TEST(KivDwgPreview, DepthsWithoutPaletteAndPng)
{
    const Bytes dib32 = makeDib32(2, 1, {kWhite, 0x123456});
    QImage image = paint(makeDwg("AC1021", {{1, header80()}, {2, dib32}}), 4, 1, 0, RGB(0, 0, 255), 0, 0);
    EXPECT_EQ(at(image, 1, 0), RGB(0, 0, 255));
    EXPECT_EQ(at(image, 2, 0), RGB(0x12, 0x34, 0x56));

    QImage png(3, 1, QImage::Format_RGB32);
    png.setPixel(0, 0, qRgb(255, 255, 255));
    png.setPixel(1, 0, qRgb(0, 0, 255));
    png.setPixel(2, 0, qRgb(9, 9, 9));
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    png.save(&buffer, "PNG");
    image = paint(makeDwg("AC1027", {{1, header80()}, {6, Bytes(encoded.begin(), encoded.end())}}), 3, 1, 0,
        RGB(0, 0, 255), 0, 0);
    EXPECT_EQ(at(image, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(at(image, 1, 0), RGB(255, 255, 0));
    EXPECT_EQ(at(image, 2, 0), RGB(9, 9, 9));

    // Two bitmaps: the first is drawn.
    image = paint(makeDwg("AC1021", {{1, header80()}, {2, dib32}, {2, tinyBitmap()}}), 2, 1, 0, RGB(0, 0, 0), 0, 0);
    EXPECT_EQ(at(image, 1, 0), RGB(0x12, 0x34, 0x56));
}

TEST(KivDwgPreview, NothingButTheBackgroundWhenThereIsNoPicture)
{
    const COLORREF back = RGB(1, 2, 3);
    const std::vector<Bytes> drawings = {
        makeDwg("AC1009", {{1, header80()}, {2, tinyBitmap()}}), // before release 13
        makeDwg("AC1015", {{1, header80()}, {2, tinyBitmap()}}, 0x60, false), // wrong sentinel
        makeDwg("AC1015", {{1, header80()}}), // header only
        makeDwg("AC1015", {}), // no entries
        makeDwg("AC1015", {{1, header80()}, {3, Bytes(40, 0)}}), // metafile only
        makeDwg("AC1015", {{1, header80()}, {2, Bytes(30, 0)}}), // bitmap cut short
    };
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        const QImage image = paint(drawings[i], 10, 6, back, 0, 0, 0);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 10; ++x)
                ASSERT_EQ(at(image, x, y), back) << "drawing " << i << " at " << x << "," << y;
    }
    Bytes truncated = makeDwg("AC1015", {{1, header80()}, {2, tinyBitmap()}});
    truncated.resize(truncated.size() - 200);
    KivDwgPreview reader;
    reader.OpenBytes(truncated.data(), truncated.size());
    EXPECT_TRUE(reader.ReadImage(0).isNull()) << "image data past the end of the file";
}

TEST(KivDwgPreview, OpenAddsDwgAndReportsEntries)
{
    TempDir dir;
    writeFile(dir.file("PART.DWG"), makeDwg("AC1015", {{1, header80()}, {2, tinyBitmap()}}, 0x80));
    KivDwgPreview reader;
    ASSERT_EQ(reader.Open(dir.file("part").c_str()), 1);
    EXPECT_STREQ(reader.GetVersionString(), "AC1015");
    std::uint32_t address = 0;
    std::vector<KivDwgPreviewEntry> entries;
    ASSERT_TRUE(reader.ReadEntries(&address, &entries));
    EXPECT_EQ(address, 0x80u);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].code, 2);
    EXPECT_EQ(entries[1].size, tinyBitmap().size());
    EXPECT_EQ(reader.Open(dir.file("none").c_str()), 0);
}

namespace {

// Points the temporary folder at a fresh one while it lives.
class ScopedTempFolder {
public:
    ScopedTempFolder() { setenv("TMPDIR", m_dir.path().c_str(), 1); }
    ~ScopedTempFolder() { unsetenv("TMPDIR"); }
    bool isEmpty() const { return std::filesystem::is_empty(m_dir.path()); }
    bool holdsData() const
    {
        for (const auto& e : std::filesystem::directory_iterator(m_dir.path()))
            if (e.is_regular_file() && e.file_size() > 0)
                return true;
        return false;
    }

private:
    TempDir m_dir;
};

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) { setenv(name, value, 1); }
    ~ScopedEnv() { unsetenv(m_name); }

private:
    const char* m_name;
};

bool waitFor(const std::function<bool()>& done)
{
    QDeadlineTimer deadline(20000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

} // namespace

TEST(KivDwgPreview, DownloadsOnceToAPrivateFileRemovedOnClose)
{
    HttpTestServer server(HttpTestServer::Mode::Serve, makeDwg("AC1015", {{1, header80()}, {2, tinyBitmap()}}));
    TempDir cwd;
    ScopedTempFolder temp;
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(cwd.path());
    {
        const std::string own = "the user's own file";
        writeText("temp.dwg", own);
        KivDwgPreview reader;
        ASSERT_EQ(reader.Open(server.url().c_str()), 1) << reader.GetError();
        EXPECT_STREQ(reader.GetVersionString(), "AC1015");
        EXPECT_FALSE(reader.ReadImage(0).isNull());
        EXPECT_EQ(reader.Open(server.url().c_str()), 1);
        EXPECT_EQ(server.requests(), 1) << "the drawing open under that name is kept";
        reader.Close();
        EXPECT_TRUE(temp.isEmpty());
        EXPECT_EQ(readFile("temp.dwg"), Bytes(own.begin(), own.end()));
        EXPECT_EQ(reader.Open("http://127.0.0.1:1/none.dwg"), 0);
    }
    std::filesystem::current_path(before);
}

TEST(KivDwgPreview, DownloadsStopAtTheTimeOutAndTheSizeCap)
{
    ScopedTempFolder temp;
    {
        ScopedEnv timeout("VANDREL_DOWNLOAD_TIMEOUT_MS", "800");
        HttpTestServer trickle(HttpTestServer::Mode::Trickle);
        KivDwgPreview reader;
        EXPECT_EQ(reader.Open(trickle.url().c_str()), 0);
        EXPECT_NE(reader.GetError().find("within 0.8 s"), std::string::npos) << reader.GetError();
        EXPECT_EQ(trickle.requests(), 1) << "a server that answers is not asked again";
        EXPECT_TRUE(temp.isEmpty()) << "the partial file is removed";
    }
    {
        ScopedEnv cap("VANDREL_DOWNLOAD_MAX_BYTES", "200000");
        HttpTestServer endless(HttpTestServer::Mode::Endless);
        KivDwgPreview reader;
        EXPECT_EQ(reader.Open(endless.url().c_str()), 0);
        EXPECT_NE(reader.GetError().find("cap of 200000 bytes"), std::string::npos) << reader.GetError();
        EXPECT_TRUE(temp.isEmpty());
    }
}

TEST(CKivDwgPreviewCtrl, OneDownloadHoweverOftenItPaints)
{
    HttpTestServer server(HttpTestServer::Mode::Serve, makeDwg("AC1015", {{1, header80()}, {2, tinyBitmap()}}));
    ScopedTempFolder temp;
    {
        CKivDwgPreviewCtrl ctrl;
        ctrl.resize(10, 6);
        ctrl.SetImageBackColor(RGB(255, 0, 0));
        ctrl.SetFile(server.url().c_str());
        ASSERT_TRUE(waitFor([&] { return !ctrl.IsLoading(); }));
        QImage shot;
        for (int i = 0; i < 4; ++i)
            shot = ctrl.grab().toImage();
        EXPECT_EQ(at(shot, 3, 2), RGB(255, 0, 0)) << "the fetched preview is painted";
        ctrl.SetImageBackColor(RGB(0, 0, 255));
        ctrl.SetInvert(1);
        ctrl.SetAutoSize(1);
        shot = ctrl.grab().toImage();
        EXPECT_EQ(at(shot, 0, 0), RGB(255, 255, 0)) << "colours change without fetching again";
        EXPECT_EQ(server.requests(), 1);
        ctrl.SetFile(server.url().c_str());
        ASSERT_TRUE(waitFor([&] { return !ctrl.IsLoading(); }));
        EXPECT_EQ(server.requests(), 2) << "once per SetFile";
    }
    EXPECT_TRUE(temp.isEmpty());
}

TEST(CKivDwgPreviewCtrl, ASlowServerDoesNotHoldThePaint)
{
    ScopedTempFolder temp;
    HttpTestServer server(HttpTestServer::Mode::Trickle);
    {
        CKivDwgPreviewCtrl ctrl;
        ctrl.resize(8, 8);
        ctrl.SetBackColor(RGB(1, 2, 3));
        ctrl.SetFile(server.url().c_str());
        EXPECT_TRUE(ctrl.IsLoading()) << "SetFile does not wait for the server";
        ASSERT_TRUE(waitFor([&] { return temp.holdsData(); })) << "the server has begun to answer";
        EXPECT_EQ(at(ctrl.grab().toImage(), 4, 4), RGB(1, 2, 3)) << "painted at once, without the drawing";
        EXPECT_TRUE(ctrl.IsLoading());
        EXPECT_EQ(server.requests(), 1);
    }
    EXPECT_TRUE(temp.isEmpty()) << "the cancelled transfer's file is removed";
}

TEST(CKivDwgPreviewCtrl, LocalFilesAreReadOncePerSetFile)
{
    TempDir dir;
    writeFile(dir.file("a.dwg"), makeDwg("AC1015", {{1, header80()}, {2, tinyBitmap()}}));
    CKivDwgPreviewCtrl ctrl;
    ctrl.resize(10, 6);
    ctrl.SetImageBackColor(RGB(255, 0, 0));
    ctrl.SetFile(dir.file("a.dwg").c_str());
    std::filesystem::remove(dir.file("a.dwg"));
    EXPECT_EQ(at(ctrl.grab().toImage(), 3, 2), RGB(255, 0, 0)) << "painted from the picture decoded in SetFile";
    ctrl.SetImageBackColor(RGB(0, 255, 0));
    EXPECT_EQ(at(ctrl.grab().toImage(), 3, 2), RGB(0, 255, 0)) << "the open drawing is decoded again";
}

TEST(KivShellCommandOpenDWG, StartsTheRegisteredProgram)
{
    TempDir config;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    RegistryStore classes(HKEY_CLASSES_ROOT);
    classes.setValue(".dwg", "", "Viewer.Drawing");
    classes.setValue("Viewer.Drawing\\shell\\open\\command", "", "\"/opt/viewer/bin/view dwg\" \"%1\"");
    ASSERT_TRUE(classes.save());
    ProcessRecorder processes;
    EXPECT_EQ(KivShellCommandOpenDWG("/data/plan.dwg"), 1);
    ASSERT_EQ(processes.requests().size(), 1u);
    EXPECT_EQ(processes.requests()[0].program, "/opt/viewer/bin/view dwg");
    EXPECT_EQ(processes.requests()[0].arguments, (std::vector<CString> {"/data/plan.dwg"}));
    EXPECT_EQ(KivShellCommandOpenDWG(""), 0);

    MessageBoxRecorder boxes;
    processes.answer(-1);
    EXPECT_EQ(KivShellCommandOpenDWG("/data/plan.dwg"), 0);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Can't execute : \"/opt/viewer/bin/view dwg \"/data/plan.dwg\"\"");
    unsetenv("XDG_CONFIG_HOME");
}

TEST(KivShellCommandOpenDWG, FallsBackToTheDesktopsOpener)
{
    TempDir config;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    ProcessRecorder processes;
    EXPECT_EQ(KivShellCommandOpenDWG("/data/plan.dwg"), 1);
    ASSERT_EQ(processes.requests().size(), 1u);
    EXPECT_EQ(processes.requests()[0].program, "xdg-open");
    unsetenv("XDG_CONFIG_HOME");
}
