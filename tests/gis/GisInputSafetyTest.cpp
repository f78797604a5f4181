// The GIS-layer reader given what a stranger might send: names that reach the
// network or other files, things that are not files, inputs beyond the size
// limit, filters that are more than one expression. Each is refused at once
// naming the file, and no request reaches a server.

#include "LayerSamples.h"

#include "exchange/FileError.h"
#include "exchange/GisLayerReader.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

namespace sw::test {
namespace {

// An HTTP server on 127.0.0.1 that counts the connections made to it and answers
// each with a small GeoJSON layer.
class CountingServer {
public:
    CountingServer() {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
            ::listen(fd_, 16) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
            return;
        }
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~CountingServer() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    CountingServer(const CountingServer&) = delete;
    CountingServer& operator=(const CountingServer&) = delete;

    bool Up() const { return port_ != 0; }
    std::string Url(const std::string& file) const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/" + file;
    }
    int Requests() const { return requests_.load(); }

private:
    void Serve() {
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) {
                continue;
            }
            const int c = ::accept(fd_, nullptr, nullptr);
            if (c < 0) {
                continue;
            }
            ++requests_;
            char buf[4096];
            (void)::recv(c, buf, sizeof buf, 0);
            const std::string body = SampleLayer;
            const std::string reply =
                "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
                body;
            (void)::send(c, reply.data(), reply.size(), MSG_NOSIGNAL);
            ::close(c);
        }
    }

    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

TEST(GisLocalOnly, NoNameOrFileReachesTheNetwork) {
    CountingServer server;
    ASSERT_TRUE(server.Up());
    LayerDir dir;
    const std::string url = server.Url("layer.geojson");
    for (const std::string& name :
         {url, "/vsicurl/" + url, "/vsizip/vsicurl/" + url + "/doc.kml", "WFS:" + url,
          "OAPIF:" + url, "GeoJSON:" + dir.File("sample.geojson")}) {
        const std::string refusal = RefusalOf(name);
        EXPECT_NE(refusal.find("only local files are read"), std::string::npos) << refusal;
    }
    // Files that name URLs: a coordinate system by link, a schema, a virtual layer.
    std::ofstream(dir.File("link.geojson"))
        << R"({"type":"FeatureCollection","crs":{"type":"link","properties":{"href":")"
        << server.Url("crs.wkt") << R"(","type":"ogcwkt"}},"features":[{"type":"Feature",)"
        << R"("properties":{},"geometry":{"type":"Point","coordinates":[77.1,28.1]}}]})";
    (void)RefusalOf(dir.File("link.geojson"));
    std::ofstream(dir.File("schema.gml"))
        << R"(<?xml version="1.0"?><ogr:FeatureCollection xmlns:ogr="http://ogr.maptools.org/")"
        << R"( xmlns:gml="http://www.opengis.net/gml" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance")"
        << R"( xsi:schemaLocation="http://ogr.maptools.org/ )" << server.Url("s.xsd")
        << R"("><gml:featureMember><ogr:a><ogr:geometryProperty><gml:Point><gml:coordinates>)"
        << R"(77.1,28.1</gml:coordinates></gml:Point></ogr:geometryProperty></ogr:a>)"
        << R"(</gml:featureMember></ogr:FeatureCollection>)";
    (void)RefusalOf(dir.File("schema.gml"));
    std::ofstream(dir.File("remote.vrt"))
        << "<OGRVRTDataSource><OGRVRTLayer name=\"r\"><SrcDataSource>/vsicurl/" << url
        << "</SrcDataSource></OGRVRTLayer></OGRVRTDataSource>";
    EXPECT_NE(RefusalOf(dir.File("remote.vrt")).find("not a GIS file"), std::string::npos);
    // A virtual layer over another local file is not followed either.
    std::ofstream(dir.File("local.vrt"))
        << "<OGRVRTDataSource><OGRVRTLayer name=\"r\"><SrcDataSource>" << dir.File("sample.geojson")
        << "</SrcDataSource></OGRVRTLayer></OGRVRTDataSource>";
    EXPECT_NE(RefusalOf(dir.File("local.vrt")).find("not a GIS file"), std::string::npos);
    EXPECT_EQ(server.Requests(), 0);
    // A link coordinate system from standard input does not fetch either.
    std::ifstream in(dir.File("link.geojson"));
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        ReadGisLayerBytes(bytes, "standard input", {});
    } catch (const FileError&) {
    }
    EXPECT_EQ(server.Requests(), 0);

    // Asked for, the network is used.
    GisLayerOptions remote;
    remote.AllowRemote = true;
    EXPECT_EQ(ReadGisLayer(url, remote).Features.size(), 4U);
    EXPECT_GT(server.Requests(), 0);
}

TEST(GisBounds, WhatIsNotABoundedFileIsRefusedAtOnce) {
    LayerDir dir;
    const auto started = std::chrono::steady_clock::now();
    std::filesystem::create_directory(dir.File("folder.gpkg"));
    EXPECT_NE(RefusalOf(dir.File("folder.gpkg")).find("it is a folder"), std::string::npos);
    ASSERT_EQ(::mkfifo(dir.File("pipe.kml").c_str(), 0600), 0);
    EXPECT_NE(RefusalOf(dir.File("pipe.kml")).find("not a regular file"), std::string::npos);
    std::filesystem::create_symlink("/dev/zero", dir.File("zero.kml"));
    EXPECT_NE(RefusalOf(dir.File("zero.kml")).find("not a regular file"), std::string::npos);
    // A shapefile whose .prj is a pipe: GDAL would wait on it for ever.
    ASSERT_TRUE(HaveOgr2Ogr() && dir.Ogr2Ogr("p.shp sample.geojson -where \"name='tower'\""));
    std::filesystem::remove(dir.File("p.prj"));
    ASSERT_EQ(::mkfifo(dir.File("p.prj").c_str(), 0600), 0);
    EXPECT_NE(RefusalOf(dir.File("p.shp")).find("\"p.prj\" beside it is not a regular file"),
              std::string::npos);
    // A sparse file of 10 GB.
    { std::ofstream big(dir.File("sparse.kml")); }
    std::filesystem::resize_file(dir.File("sparse.kml"), uintmax_t{10} << 30);
    EXPECT_NE(RefusalOf(dir.File("sparse.kml")).find("larger than 2 GB"), std::string::npos);
    // An archive that inflates past the limit, and bytes past it.
    ASSERT_TRUE(dir.Ogr2Ogr("-f LIBKML s.kmz sample.geojson"));
    GisLayerOptions small;
    small.MaxBytes = std::filesystem::file_size(dir.File("s.kmz"));
    EXPECT_NE(RefusalOf(dir.File("s.kmz"), small).find("inflates to more than"), std::string::npos);
    small.MaxBytes = 100;
    EXPECT_THROW(ReadGisLayerBytes(SampleLayer, "standard input", small), FileError);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

TEST(GisFilters, OneExpressionQuotedShortInMessages) {
    if (!HaveOgr2Ogr()) {
        GTEST_SKIP() << "ogr2ogr is not installed";
    }
    LayerDir dir;
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG s.gpkg sample.geojson"));
    GisLayerOptions o;
    o.Where = "1=1; DROP TABLE sample";
    EXPECT_NE(RefusalOf(dir.File("s.gpkg"), o).find("';' is not allowed"), std::string::npos);
    o.Where = "fid IN (WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n+1 FROM r) "
              "SELECT n FROM r)";
    EXPECT_EQ(RefusalOf(dir.File("s.gpkg"), o).rfind("Cannot read", 0), 0U);
    o.Where = "name = '" + std::string(120000, 'x') + "\x1b[2J'";
    const std::string refusal = RefusalOf(dir.File("s.gpkg"), o);
    EXPECT_LT(refusal.size(), 700U);
    EXPECT_EQ(refusal.find('\x1b'), std::string::npos);
    o.Where = "code > 12";
    EXPECT_EQ(ReadGisLayer(dir.File("s.gpkg"), o).Features.size(), 2U);

    // Layer names from the file are text too.
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG esc.gpkg sample.geojson -nln \"$(printf 'a\\033[31mb')\""));
    GisLayerOptions missing;
    missing.Layer = "other";
    const std::string named = RefusalOf(dir.File("esc.gpkg"), missing);
    EXPECT_NE(named.find("a\\x1B[31mb"), std::string::npos) << named;
}

TEST(GisBytes, BinaryFormatsAndMessagesOnStandardInput) {
    if (!HaveOgr2Ogr()) {
        GTEST_SKIP() << "ogr2ogr is not installed";
    }
    LayerDir dir;
    ASSERT_TRUE(dir.Ogr2Ogr("-f GPKG s.gpkg sample.geojson"));
    std::ifstream in(dir.File("s.gpkg"), std::ios::binary);
    const std::string gpkg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(ReadGisLayerBytes(gpkg, "standard input", {}).Features.size(), 4U);
    try {
        ReadGisLayerBytes("<kml><Placemark><Polygon>", "standard input", {});
        ADD_FAILURE() << "a broken KML was read";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).find("/vsimem/"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace sw::test
