#pragma once

#include <QLocale>

namespace kosmolux {

// Sets the default locale for one scope and restores the previous one after it.
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) : previous_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(previous_); }

private:
    const QLocale previous_;
};

}  // namespace kosmolux
