#pragma once

#include <QStringList>
#include <cstdio>
#include <optional>

namespace zt {

// Answers the command line before anything needs a display. --help and
// --version print their answer to out and give 0; an unknown option, a missing
// or unexpected value, or any other argument prints a message to err and
// gives 2. Nothing to answer gives nullopt: the game starts. Qt's own options
// (-platform, -style, -display and the like) are let through for QApplication.
// arguments holds the program's path first, as argv does.
std::optional<int> AnswerCommandLine(const QStringList& arguments, std::FILE* out, std::FILE* err);

}  // namespace zt
