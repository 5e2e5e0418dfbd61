#pragma once

#include <QByteArray>
#include <QString>

namespace zt {

// Why a file was not read.
enum class FileRefusal {
  kNone,
  kMissing,
  kNotRegular,  // a folder, a pipe, a device: reading it could block or never end
  kUnreadable,
  kTooLarge,
};

struct BoundedFile {
  QByteArray bytes;
  FileRefusal refusal = FileRefusal::kNone;

  bool Ok() const { return refusal == FileRefusal::kNone; }
  // In English, for the log and error details.
  QString Reason() const;
};

// Reads a whole file the game depends on: only a regular file (links
// followed) of at most maxBytes. The file is opened without waiting, so that
// a pipe in its place is refused at once, and its type and size are taken
// from the open file; a file that grows while it is read is refused too.
BoundedFile ReadBoundedFile(const QString& path, qint64 maxBytes);

// The same checks for a file whose path is handed on to a library that reads
// it itself.
FileRefusal CheckBoundedFile(const QString& path, qint64 maxBytes);

}  // namespace zt
