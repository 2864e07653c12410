// The section a check runs in.

#ifndef VEXAL_MACHINERY_INTERNAL_CHECK_SECTION_H_
#define VEXAL_MACHINERY_INTERNAL_CHECK_SECTION_H_

// Only the machinery itself (and its white-box tests) includes this header:
// record types and shared rules reach the machinery through its public
// headers.
#if !defined(VEXAL_LAYER_MACHINERY) && !defined(VEXAL_WHITE_BOX_TESTS)
#error "machinery/internal/ is the check machinery's own"
#endif

#include "pl/runtime_context.h"

namespace vexal::machinery {

// The section of a type-conformance check or a check procedure. Only two
// things see it: a SectionObserver, and the findings written while it is
// open, which record the open sections. So it is open for the whole check
// while an observer listens, and otherwise only while write() writes a
// finding: a check that finds nothing costs no section at all. Lives on
// the stack of the check; the title must outlive it.
class CheckSection {
 public:
  CheckSection(pl::RuntimeContext* ctx, const char* title, bool flag)
      : ctx_(ctx), title_(title), flag_(flag), opened_(ctx->startQuietSection(title, flag)) {}
  CheckSection(const CheckSection&) = delete;
  CheckSection& operator=(const CheckSection&) = delete;
  ~CheckSection() { ctx_->leaveQuietSection(opened_); }

  // Runs writer(), which writes a finding, with the section open.
  template <class Writer>
  void write(Writer&& writer) {
    if (opened_) {
      writer();
      return;
    }
    ctx_->startNewSection(title_, flag_);
    try {
      writer();
    } catch (...) {
      ctx_->leaveCurrentSection();
      throw;
    }
    ctx_->leaveCurrentSection();
  }

 private:
  pl::RuntimeContext* ctx_;
  const char* title_;
  bool flag_;
  bool opened_;
};

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_INTERNAL_CHECK_SECTION_H_
