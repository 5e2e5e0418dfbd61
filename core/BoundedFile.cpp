#include "core/BoundedFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace zt {

QString BoundedFile::Reason() const {
  switch (refusal) {
    case FileRefusal::kNone:
      return {};
    case FileRefusal::kMissing:
      return QStringLiteral("not found");
    case FileRefusal::kNotRegular:
      return QStringLiteral("not a plain file");
    case FileRefusal::kUnreadable:
      return QStringLiteral("cannot be read");
    case FileRefusal::kTooLarge:
      return QStringLiteral("too large");
  }
  return {};
}

#ifdef Q_OS_UNIX

namespace {

// An open file of the right kind and size, or why not; closes it on leaving.
struct OpenFile {
  int fd = -1;
  qint64 size = 0;
  FileRefusal refusal = FileRefusal::kNone;
  ~OpenFile() {
    if (fd >= 0) ::close(fd);
  }
};

void Open(const QString& path, qint64 maxBytes, OpenFile& file) {
  const QByteArray name = QFile::encodeName(path);
  file.fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (file.fd < 0) {
    file.refusal =
        errno == ENOENT || errno == ENOTDIR ? FileRefusal::kMissing : FileRefusal::kUnreadable;
    return;
  }
  struct stat st {};
  if (::fstat(file.fd, &st) != 0) {
    file.refusal = FileRefusal::kUnreadable;
    return;
  }
  if (!S_ISREG(st.st_mode)) {
    file.refusal = FileRefusal::kNotRegular;
    return;
  }
  if (st.st_size > maxBytes) {
    file.refusal = FileRefusal::kTooLarge;
    return;
  }
  file.size = st.st_size;
}

}  // namespace

BoundedFile ReadBoundedFile(const QString& path, qint64 maxBytes) {
  BoundedFile result;
  OpenFile file;
  Open(path, maxBytes, file);
  if (file.refusal != FileRefusal::kNone) {
    result.refusal = file.refusal;
    return result;
  }
  // The size from the open file, and one byte more to see it did not grow.
  result.bytes.resize(file.size + 1);
  qint64 got = 0;
  while (got < result.bytes.size()) {
    const ssize_t n = ::read(file.fd, result.bytes.data() + got, result.bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.bytes.clear();
      result.refusal = FileRefusal::kUnreadable;
      return result;
    }
    if (n == 0) break;
    got += n;
  }
  if (got > file.size && got > maxBytes) {
    result.bytes.clear();
    result.refusal = FileRefusal::kTooLarge;
    return result;
  }
  result.bytes.truncate(got);
  return result;
}

FileRefusal CheckBoundedFile(const QString& path, qint64 maxBytes) {
  OpenFile file;
  Open(path, maxBytes, file);
  return file.refusal;
}

#else

BoundedFile ReadBoundedFile(const QString& path, qint64 maxBytes) {
  BoundedFile result;
  result.refusal = CheckBoundedFile(path, maxBytes);
  if (!result.Ok()) return result;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    result.refusal = FileRefusal::kUnreadable;
    return result;
  }
  result.bytes = file.read(maxBytes + 1);
  if (result.bytes.size() > maxBytes) {
    result.bytes.clear();
    result.refusal = FileRefusal::kTooLarge;
  }
  return result;
}

FileRefusal CheckBoundedFile(const QString& path, qint64 maxBytes) {
  const QFileInfo info(path);
  if (!info.exists()) return FileRefusal::kMissing;
  if (!info.isFile()) return FileRefusal::kNotRegular;
  if (info.size() > maxBytes) return FileRefusal::kTooLarge;
  if (!info.isReadable()) return FileRefusal::kUnreadable;
  return FileRefusal::kNone;
}

#endif

}  // namespace zt
