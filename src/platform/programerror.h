#pragma once

#include <stdexcept>

#include <QString>

namespace kosmolux {

// An error shown to the user as "description: number". File errors carry the
// operating system's error number; others a fixed number of our own.
class ProgramError : public std::runtime_error {
public:
    static constexpr int Overflow = 6;
    static constexpr int TypeMismatch = 13;

    ProgramError(const QString& description, int number)
        : std::runtime_error(description.toStdString()), description_(description), number_(number) {}

    const QString& Description() const { return description_; }
    int Number() const { return number_; }
    // "description: number", the form of every error message box.
    QString MessageText() const { return description_ + QStringLiteral(": ") + QString::number(number_); }

private:
    QString description_;
    int number_;
};

}  // namespace kosmolux
