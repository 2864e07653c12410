// How the field stage finds the check and the field for each record path.

#ifndef VEXAL_PLATFORM_PL_RUNTIME_CHECK_PLAN_H_
#define VEXAL_PLATFORM_PL_RUNTIME_CHECK_PLAN_H_

#include <cstdint>
#include <string>
#include <vector>

#include "pl/data_record.h"
#include "pl/plausi.h"

namespace pl {

// Resolution of the paths of one DataRecord's path table against one rule
// set, made on first use of each path and kept while the table stays the
// same.
struct Plausi::CheckPlan {
  struct Item {
    bool resolved = false;
    FieldCheckProc check = nullptr;
    int levels = 0;                           // topic arrays to step through
    int array_member[DataRecord::kMaxDepth];  // member index of each array
    int field_member = -1;                    // member index of the field
    std::string error;                        // why the path cannot be checked
  };

  const DataRecord* record = nullptr;
  std::uint64_t stamp = 0;
  std::vector<Item> items;
};

}  // namespace pl

#endif  // VEXAL_PLATFORM_PL_RUNTIME_CHECK_PLAN_H_
