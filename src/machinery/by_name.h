// A record type's table of rule functions callable by name: the rule
// functions of its root checks and its other callable functions, in
// ascending byte order of their names.
//
//   constexpr auto kFunctions =
//       byNameTable<kRootChecks, join(shared::kTextFunctions, std::array{
//           byName<&F_IstErlaubteEmail>("F_IstErlaubteEmail", "wert")})>();

#ifndef VEXAL_MACHINERY_BY_NAME_H_
#define VEXAL_MACHINERY_BY_NAME_H_

#include <algorithm>
#include <array>
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

// Byte order, as strcmp compares: as unsigned characters.
constexpr bool before(const char* a, const char* b) {
  for (; *a != '\0' && *a == *b; ++a, ++b) {
  }
  return static_cast<unsigned char>(*a) < static_cast<unsigned char>(*b);
}

template <const auto& Checks>
constexpr std::size_t ruleFunctionCount() {
  std::size_t count = 0;
  for (const ProcedureRow& check : Checks.procedures) count += check.hasRuleFunction() ? 1 : 0;
  return count;
}

}  // namespace by_name_internal

// A callable function other than a check's rule function:
// `byName<&F_Trim>("F_Trim", "Zeichenkette")` or
// `byName<&TB_X::F_IstBbnrAnlage7>("F_IstBbnrAnlage7", "paramBbnr")`, with
// one init-parameter name per argument of the function.
template <auto Fn, class... Names>
consteval CallableRow byName(const char* name, Names... parameters) {
  static_assert(sizeof...(Names) == by_name_internal::Signature<decltype(Fn)>::kArity,
                "one parameter name per argument");
  static_assert(sizeof...(Names) <= CallableRow::kMaxParameters, "too many parameters");
  CallableRow entry;
  entry.name = name;
  entry.invoke = &by_name_internal::invoke<Fn>;
  entry.parameters = {parameters...};
  entry.parameter_count = sizeof...(Names);
  return entry;
}

// Lists of callable functions joined into one.
template <std::size_t... N>
consteval auto join(const std::array<CallableRow, N>&... lists) {
  std::array<CallableRow, (N + ... + 0)> joined{};
  std::size_t next = 0;
  ((std::copy(lists.begin(), lists.end(), joined.begin() + next), next += N), ...);
  return joined;
}

// The by-name table of a record type: the rule functions of the root
// checks (compileChecks()) and the other callable functions, in ascending
// byte order. Two functions of one name do not compile.
template <const auto& Checks, const auto& Others>
consteval auto byNameTable() {
  using by_name_internal::before;
  constexpr std::size_t kCheckFunctions = by_name_internal::ruleFunctionCount<Checks>();
  std::array<CallableRow, kCheckFunctions + std::size(Others)> table{};
  std::size_t next = 0;
  for (const ProcedureRow& check : Checks.procedures) {
    if (!check.hasRuleFunction()) continue;
    CallableRow& entry = table[next++];
    entry.name = check.function.name.c_str();
    entry.check = &check;
  }
  for (const CallableRow& other : Others) table[next++] = other;
  std::sort(table.begin(), table.end(),
            [](const CallableRow& a, const CallableRow& b) { return before(a.name, b.name); });
  for (std::size_t i = 1; i < table.size(); ++i) {
    if (!before(table[i - 1].name, table[i].name)) throw "two callable functions of one name";
  }
  return table;
}

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_BY_NAME_H_
