// Turning record lines into the rule runtime's data records.

#ifndef VEXAL_HOST_RECORD_INPUT_H_
#define VEXAL_HOST_RECORD_INPUT_H_

#include <string_view>
#include <vector>

#include "model/record_cutter.h"
#include "model/record_definition.h"
#include "pl/data_record.h"

namespace vexal::host {

// Cuts lines by one record layout into one reusable DataRecord. The layout
// must outlive this object. Not thread-safe; make one per thread.
class RecordInput {
 public:
  explicit RecordInput(const RecordDefinition& definition);

  // Cuts the line (Latin-1, without line end) and refills record(). The
  // returned cut tells expected and actual length; valid until the next
  // call. A line cut like the one before (as long, its groups as often:
  // the common case of a file of one record type) only has its bytes put
  // in place.
  const RecordCut& load(std::string_view line);

  // Empties the record and gives back the room its line took; the next
  // load() cuts afresh.
  void release();

  const pl::DataRecord& record() const { return record_; }
  const RecordCutter& cutter() const { return cutter_; }

 private:
  RecordCutter cutter_;
  pl::DataRecord record_;
  RecordCut cut_;
  std::vector<int> field_path_ids_;
  std::vector<int> group_path_ids_;
  bool loaded_ = false;  // record_ holds the fields of cut_
};

}  // namespace vexal::host

#endif  // VEXAL_HOST_RECORD_INPUT_H_
