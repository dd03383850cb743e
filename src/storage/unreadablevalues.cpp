#include "storage/unreadablevalues.h"

namespace kosmolux {

namespace {

// A message box holds no more lines than a user will read.
constexpr std::size_t ListedValues = 10;

}  // namespace

void UnreadableValues::Record(const QString& section, const QString& key, const QString& text)
{
    const QString folded = (section + QChar(u'\0') + key).toCaseFolded();
    if (recorded_.contains(folded))
        return;
    recorded_.insert(folded);
    entries_.push_back({section, key, text});
}

QString UnreadableValues::MessageText() const
{
    QString message = QStringLiteral("These values could not be read and were taken as if they were missing:");
    for (std::size_t i = 0; i < entries_.size() && i < ListedValues; ++i) {
        const Entry& entry = entries_[i];
        message += QStringLiteral("\n[%1] %2=%3").arg(entry.section, entry.key, entry.text);
    }
    if (entries_.size() > ListedValues)
        message += QStringLiteral("\nand %1 more.").arg(entries_.size() - ListedValues);
    return message;
}

}  // namespace kosmolux
