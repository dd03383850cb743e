#pragma once

#include <vector>

#include <QSet>
#include <QString>

namespace kosmolux {

// The values of one load that were present in the file but could not be
// read. Each takes the default a missing key has, never another body's
// value, and the load tells the user about all of them once, at its end.
class UnreadableValues {
public:
    // A value that is there, as text, but means nothing to the program. A
    // key of a section that several bodies share is listed once.
    void Record(const QString& section, const QString& key, const QString& text);

    bool IsEmpty() const { return entries_.empty(); }
    // The "LoadSystem" message: one line "[section] key=text" for each of
    // the first ten values, then how many more there are.
    QString MessageText() const;

private:
    struct Entry {
        QString section;
        QString key;
        QString text;
    };
    std::vector<Entry> entries_;
    QSet<QString> recorded_;  // section and key, folded as the file folds them
};

}  // namespace kosmolux
