#pragma once

#include <QLocale>

namespace kosmolux {

// Sets the default locale for one scope and restores the previous one after
// it, however the scope ends.
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) : previous_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(previous_); }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

private:
    const QLocale previous_;
};

}  // namespace kosmolux
