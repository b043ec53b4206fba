#pragma once
// The device-mode paper codes of the page setup and the Qt page sizes they
// stand for.
#include <QPageSize>

namespace tagloom {

// Letter for a code that has no page size here.
QPageSize::PageSizeId pageSizeOf(int paperCode);
// `fallback` for a page size that has no code.
int paperCodeOf(QPageSize::PageSizeId id, int fallback);

}  // namespace tagloom
