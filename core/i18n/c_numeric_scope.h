#pragma once
// Numbers formatted or read while one of these lives use the C locale's
// decimal point on this thread, whatever locale the window set for the
// process: files, the wire and lumivane-cli's output always have ".".
#include <locale.h>

class CNumericScope {
 public:
  CNumericScope();
  ~CNumericScope();
  CNumericScope(const CNumericScope&) = delete;
  CNumericScope& operator=(const CNumericScope&) = delete;

 private:
  locale_t m_cLocale;
  locale_t m_previous;
};
