// A record layout as `vexal layout` shows it.

#ifndef VEXAL_HOST_CLI_LAYOUT_VIEW_H_
#define VEXAL_HOST_CLI_LAYOUT_VIEW_H_

#include <string>

#include "core/layout_view.h"

namespace vexal::cli {

using core::describeLayout;
using core::DisplayNames;
using core::LayoutEntry;
using core::LayoutView;
using core::modelTypeName;
using core::occurrenceText;

// The view as text lines, and as one JSON object; both UTF-8 and ending in
// LF.
std::string layoutText(const char* record_type, const LayoutView& view);
std::string layoutJson(const char* record_type, const LayoutView& view);

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_LAYOUT_VIEW_H_
