#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pl/field_descriptor.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace pl {

// A value copied out of an arena. Ranges keep copies of their members.
struct LocalVariable::Stored {
  Value::Kind kind = Value::Kind::kInvalid;
  long double number = 0;
  bool flag = false;
  int year = 0, month = 0, day = 0;
  IntervalType interval = IntervalType::kClosed;
  std::string text;
  std::vector<Stored> members;

  void assign(const Value* value) {
    kind = value ? value->getKind() : Value::Kind::kInvalid;
    switch (kind) {
      case Value::Kind::kInvalid:
        break;
      case Value::Kind::kString: {
        auto* s = static_cast<const StringValue*>(value);
        text.assign(s->data(), s->size());
        break;
      }
      case Value::Kind::kNumber:
        number = static_cast<const NumberValue*>(value)->get();
        break;
      case Value::Kind::kBool:
        flag = value->isTrue();
        break;
      case Value::Kind::kDate: {
        auto* d = static_cast<const DateValue*>(value);
        year = d->year();
        month = d->month();
        day = d->day();
        break;
      }
      case Value::Kind::kIntervalRange: {
        auto* r = static_cast<const IntervalRangeValue*>(value);
        interval = r->type();
        assignMembers({r->low(), r->high()});
        break;
      }
      case Value::Kind::kSequenceRange: {
        auto* r = static_cast<const SequenceRangeValue*>(value);
        assignMembers({r->first(), r->second(), r->last()});
        break;
      }
      case Value::Kind::kRangeSeries: {
        auto* r = static_cast<const RangeSeriesValue*>(value);
        members.resize(r->size());
        for (std::size_t i = 0; i < r->size(); ++i) members[i].assign(r->at(i));
        break;
      }
    }
  }

  // Whether assign(value) would leave this as it is: for the kinds whose
  // copy is cheap to compare.
  bool holds(const Value* value) const {
    const Value::Kind other = value ? value->getKind() : Value::Kind::kInvalid;
    if (other != kind) return false;
    switch (kind) {
      case Value::Kind::kInvalid:
        return true;
      case Value::Kind::kString:
        return static_cast<const StringValue*>(value)->view() == text;
      case Value::Kind::kBool:
        return value->isTrue() == flag;
      default:
        return false;
    }
  }

  void assignMembers(std::initializer_list<const Value*> values) {
    members.resize(values.size());
    std::size_t i = 0;
    for (const Value* v : values) members[i++].assign(v);
  }

  Value* make(RuntimeContext* ctx) const {
    switch (kind) {
      case Value::Kind::kInvalid:
        return ctx->createInvalidValue();
      case Value::Kind::kString:
        return ctx->createStringValue(text.data(), text.size());
      case Value::Kind::kNumber:
        return ctx->createNumberValue(number);
      case Value::Kind::kBool:
        return ctx->createBoolValue(flag);
      case Value::Kind::kDate:
        return ctx->arena().make<DateValue>(year, month, day);
      case Value::Kind::kIntervalRange:
        return ctx->createIntervalRange(members[0].make(ctx), members[1].make(ctx), interval);
      case Value::Kind::kSequenceRange:
        return ctx->createSequenceRange(members[0].make(ctx), members[1].make(ctx),
                                        members[2].make(ctx));
      case Value::Kind::kRangeSeries: {
        auto** values = static_cast<const Value**>(
            ctx->arena().allocate(sizeof(Value*) * (members.size() + 1), alignof(Value*)));
        for (std::size_t i = 0; i < members.size(); ++i) values[i] = members[i].make(ctx);
        return ctx->createRangeSeries(static_cast<int>(members.size()), values);
      }
    }
    return ctx->createInvalidValue();
  }
};

LocalVariable::LocalVariable() : stored_(new Stored) {}

LocalVariable::LocalVariable(const Value* initial) : stored_(new Stored) {
  try {
    set(initial);
  } catch (...) {
    delete stored_;
    throw;
  }
}

LocalVariable::~LocalVariable() { delete stored_; }

std::optional<std::string_view> LocalVariable::heldText() const {
  if (stored_->kind != Value::Kind::kString) return std::nullopt;
  return std::string_view(stored_->text.c_str(), stored_->text.size());
}

Value* LocalVariable::get(RuntimeContext* ctx) {
  if (made_ != nullptr && made_in_ == ctx && made_epoch_ == ctx->epoch()) return made_;
  Value* made = stored_->make(ctx);
  made_ = made;
  made_in_ = ctx;
  made_epoch_ = ctx->epoch();
  return made;
}

void LocalVariable::set(RuntimeContext* ctx, Value* value) {
  const bool copy_alive = made_ != nullptr && made_in_ == ctx && made_epoch_ == ctx->epoch();
  set(value);
  if (copy_alive && made_ != nullptr) return;  // the same value, and its copy stands
  made_ = value;
  made_in_ = ctx;
  made_epoch_ = ctx->epoch();
}

void LocalVariable::set(const Value* value) {
  // The same value again (a block's parameters, set anew for every
  // element): the copy handed out still shows it.
  if (stored_->holds(value)) return;
  made_ = nullptr;
  // A failed copy (out of memory) leaves the kind taken, with partial members.
  holds_invalid_ = false;
  stored_->assign(value);
  holds_invalid_ = stored_->kind == Value::Kind::kInvalid;
}

}  // namespace pl
