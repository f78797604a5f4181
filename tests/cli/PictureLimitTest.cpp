// Pictures and PDFs of a grid far too large for the usual zoom: the JPEG drops
// to the largest zoom that fits the pixel limit and says so, a zoom given on the
// command line is refused at once with the one that fits, and the PDF page shows
// the IN cells as fills rather than a hatch of lines.

#include "CliTestSupport.h"

#include "cli/PictureZoom.h"

#include "../exchange/ClientTools.h"

#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using sw::clitest::Bytes;
using sw::clitest::Cli;
using sw::clitest::Result;
using sw::test::Quote;
using sw::test::Shell;
using sw::test::ToolRun;
namespace fs = std::filesystem;

namespace {

struct TempDir : sw::clitest::TempDir {
    TempDir() : sw::clitest::TempDir("sw-cli-picture-limit-") {}
};

// A square of 2 degrees: 200 x 200 cells at open 1:2000, a 14,000-pixel picture
// at zoom 70.
std::string BigSquare(const TempDir& dir) {
    const std::string path = dir / "big.txt";
    std::ofstream(path) << "1\t24\t0\t0\t78\t0\t0\n"
                           "2\t24\t0\t0\t80\t0\t0\n"
                           "3\t26\t0\t0\t80\t0\t0\n"
                           "4\t26\t0\t0\t78\t0\t0\n"
                           "5\t24\t0\t0\t78\t0\t0\n";
    return path;
}

std::vector<std::string> Sheets(const std::string& polygon, std::vector<std::string> extra) {
    std::vector<std::string> args{"sheets", "--series",  "open", "--scale",
                                  "1:2000", "--polygon", polygon};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

} // namespace

TEST(PictureLimit, DefaultZoomDropsToTheLargestThatFitsAndSaysSo) {
    TempDir dir;
    const Result r = Cli(Sheets(BigSquare(dir), {"--jpeg", dir / "p.jpg"}));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto at = r.err.find("pictures drawn at zoom ");
    ASSERT_NE(at, std::string::npos) << r.err;
    const int zoom = std::atoi(r.err.c_str() + at + 23);
    EXPECT_GT(zoom, 1);
    EXPECT_LT(zoom, 70);
    const QSize size = QImageReader(QString::fromStdString(dir / "p.jpg")).size();
    EXPECT_LE(int64_t{size.width()} * size.height(), sw::cli::DefaultMaxPicturePixels);
    // One step more would have been past the limit: the largest that fits.
    const int64_t side = int64_t{size.width()} * (zoom + 1) / zoom;
    EXPECT_GT(side * side, sw::cli::DefaultMaxPicturePixels);
    // The text output is computed at the usual zoom all the same.
    EXPECT_EQ(r.out, Cli(Sheets(BigSquare(dir), {})).out);
}

TEST(PictureLimit, GivenZoomPastTheLimitIsRefusedBeforeAnyDrawing) {
    TempDir dir;
    // Zoom 140 would be 28,000 x 28,000 pixels (3 GB): refused at once.
    const Result r = Cli(Sheets(BigSquare(dir), {"--zoom", "140", "--bmp", dir / "p.bmp"}));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("zoom 140"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("fits"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "p.bmp"));
    // A limit of one's own choosing is followed both ways.
    const Result small =
        Cli(Sheets(BigSquare(dir), {"--max-pixels", "1000000", "--jpeg", dir / "s.jpg"}));
    ASSERT_EQ(small.code, 0) << small.err;
    const QSize size = QImageReader(QString::fromStdString(dir / "s.jpg")).size();
    EXPECT_LE(int64_t{size.width()} * size.height(), 1'000'000);
}

TEST(PictureLimit, PdfPageShowsTheInCellsAsFills) {
    REQUIRE_TOOL("pdftoppm");
    TempDir dir;
    const Result r = Cli(Sheets(BigSquare(dir), {"--pdf", dir / "l.pdf"}));
    ASSERT_EQ(r.code, 0) << r.err;
    // Vector fills of a few hundred runs, not 40,000 outlined cells.
    EXPECT_LT(fs::file_size(dir / "l.pdf"), 200'000u);
    const ToolRun run =
        Shell("pdftoppm -r 40 -png -singlefile " + Quote(dir / "l.pdf") + " " + Quote(dir / "l"));
    ASSERT_EQ(run.Status, 0) << run.Output;
    QImage page(QString::fromStdString(dir / "l.png"));
    ASSERT_FALSE(page.isNull());
    page = page.convertToFormat(QImage::Format_RGB32);
    // The square covers the whole block: its middle is solid blue, and blue
    // takes a good part of the page.
    int blue = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            blue += (c.blue() > 200 && c.red() < 60 && c.green() < 60) ? 1 : 0;
        }
    }
    EXPECT_GT(blue, page.width() * page.height() / 5) << blue;
    const QColor middle = page.pixelColor(page.width() / 2, page.height() / 2 + 10);
    EXPECT_EQ(middle, QColor(0, 0, 255));
}
