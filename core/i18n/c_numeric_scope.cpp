#include "core/i18n/c_numeric_scope.h"

CNumericScope::CNumericScope()
    : m_cLocale(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0))),
      m_previous(m_cLocale != static_cast<locale_t>(0) ? uselocale(m_cLocale) : static_cast<locale_t>(0)) {}

CNumericScope::~CNumericScope() {
  if (m_cLocale != static_cast<locale_t>(0)) {
    uselocale(m_previous);
    freelocale(m_cLocale);
  }
}
