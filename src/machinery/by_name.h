// Rows of a record type's table of rule functions callable by name.

#ifndef VEXAL_MACHINERY_BY_NAME_H_
#define VEXAL_MACHINERY_BY_NAME_H_

#include <cstddef>
#include <utility>

#include "machinery/catalogue.h"
#include "machinery/rule_topic.h"

namespace vexal::machinery {
namespace by_name_internal {

template <class F>
struct Signature;

// A member rule function of a topic class: (ctx, Value*...).
template <class Topic, class... Args>
struct Signature<pl::Value* (Topic::*)(pl::RuntimeContext*, Args...)> {
  static constexpr std::size_t kArity = sizeof...(Args);
  template <auto Fn, std::size_t... I>
  static pl::Value* call(RuleTopic* topic, pl::RuntimeContext* ctx, pl::Value* const* args,
                         std::index_sequence<I...>) {
    return (static_cast<Topic*>(topic)->*Fn)(ctx, args[I]...);
  }
};

// A shared rule function: (ctx, Value*...).
template <class... Args>
struct Signature<pl::Value* (*)(pl::RuntimeContext*, Args...)> {
  static constexpr std::size_t kArity = sizeof...(Args);
  template <auto Fn, std::size_t... I>
  static pl::Value* call(RuleTopic*, pl::RuntimeContext* ctx, pl::Value* const* args,
                         std::index_sequence<I...>) {
    return Fn(ctx, args[I]...);
  }
};

template <auto Fn>
pl::Value* invoke(RuleTopic* topic, pl::RuntimeContext* ctx, pl::Value* const* args) {
  using S = Signature<decltype(Fn)>;
  return S::template call<Fn>(topic, ctx, args, std::make_index_sequence<S::kArity>());
}

}  // namespace by_name_internal

// A row of the by-name table: `byName<&TB_X::F_PruefeABSN>("F_PruefeABSN")`
// or `byName<&F_Trim>("F_Trim", "Zeichenkette")`, with one init-parameter
// name per argument of the function.
template <auto Fn, class... Names>
consteval FunctionSpec byName(const char* name, Names... parameters) {
  static_assert(sizeof...(Names) == by_name_internal::Signature<decltype(Fn)>::kArity,
                "one parameter name per argument");
  static_assert(sizeof...(Names) <= FunctionSpec::kMaxParameters, "too many parameters");
  return FunctionSpec{name, &by_name_internal::invoke<Fn>, {parameters...}, sizeof...(Names)};
}

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_BY_NAME_H_
