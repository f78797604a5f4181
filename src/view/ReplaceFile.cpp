#include "view/ReplaceFile.h"

#include "exchange/FileError.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QString>

namespace sw {

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
    throw FileError("Cannot write \"" + path + "\": " + reason);
}

} // namespace

void ReplaceFile(const std::string& path,
                 const std::function<bool(QIODevice& out, std::string& error)>& write) {
    const QString name = QString::fromStdString(path);
    if (name.isEmpty()) {
        Fail(path, "no file name");
    }
    if (QFileInfo(name).isDir()) {
        Fail(path, "it is a folder");
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        Fail(path, file.errorString().toStdString());
    }
    std::string error;
    if (!write(file, error)) {
        file.cancelWriting();
        Fail(path, error.empty() ? file.errorString().toStdString() : error);
    }
    if (!file.commit()) {
        Fail(path, file.errorString().toStdString());
    }
}

void ReplaceFile(const std::string& path, const QByteArray& bytes) {
    ReplaceFile(path, [&bytes](QIODevice& out, std::string& error) {
        if (out.write(bytes) != bytes.size()) {
            error = out.errorString().toStdString();
            return false;
        }
        return true;
    });
}

} // namespace sw
