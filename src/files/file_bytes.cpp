#include "file_bytes.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace vexilor {
namespace {

std::string Reason(const QFileDevice& file) {
    return file.errorString().toLatin1().toStdString();
}

}  // namespace

std::string ReadFileBytes(const std::string& fileName) {
    QFile file(QString::fromLatin1(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll().toStdString();
}

SaveResult WriteFileBytes(const std::string& fileName, std::string_view bytes) {
    QSaveFile file(QString::fromLatin1(fileName));
    // Unbuffered, so that every write reaches the system here and a short
    // write is seen; a buffered flush at commit would let a cut file through.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return {false, Reason(file)};
    }
    // A short write (a full disk, a size limit) is followed by another
    // attempt, which then fails with the system's reason.
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const qint64 written = file.write(rest.data(), static_cast<qint64>(rest.size()));
        if (written <= 0) {
            SaveResult failed{false, Reason(file)};
            file.cancelWriting();
            return failed;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    if (!file.commit()) {
        return {false, Reason(file)};
    }
    return {true, {}};
}

}  // namespace vexilor
