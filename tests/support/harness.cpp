#include "support/harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

#include "pl/plausi_problem.h"

namespace vexal::testing {
namespace {

// The error identifier a text starts with (letters, then three digits),
// or "".
std::string_view identifierOf(const char* text) {
  std::string_view word = text == nullptr ? "" : text;
  word = word.substr(0, word.find(' '));
  std::size_t letters = 0;
  while (letters < word.size() && word[letters] >= 'A' && word[letters] <= 'Z') ++letters;
  if (letters == 0 || word.size() != letters + 3) return {};
  for (std::size_t i = letters; i < word.size(); ++i) {
    if (word[i] < '0' || word[i] > '9') return {};
  }
  return word;
}

// Every rule finding's identifier is one its check describes: what
// `vexal explain` lists must be all a check can write. A finding beyond
// that ends the program with the reason, so that it fails the test run,
// and the fuzzers' runs too, without depending on a test framework.
void expectDescribed(const pl::Plausi& plausi, const pl::RuntimeContext& ctx) {
  const std::vector<pl::CheckDescription>& checks = plausi.checkDescriptions();
  if (checks.empty()) return;
  for (std::size_t i = 0; i < ctx.getProblemCount(); ++i) {
    const pl::PlausiProblem& problem = *ctx.getProblem(i);
    if (problem.getProblemType() != pl::ProblemType::kRule) continue;
    std::string_view id = problem.getId();
    std::string_view check = id.substr(id.rfind('#') + 1);
    std::string_view code = identifierOf(problem.getShortDescription());
    if (code.empty()) continue;  // "Feldinhalt zu lang." and the like
    const bool described = std::any_of(checks.begin(), checks.end(), [&](const auto& c) {
      return c.procedure == check &&
             std::any_of(c.texts.begin(), c.texts.end(),
                         [&](const char* t) { return identifierOf(t) == code; });
    });
    if (!described) {
      std::fprintf(stderr, "%s wrote \"%s\", which its description lacks\n",
                   std::string(check).c_str(), problem.getShortDescription());
      std::abort();
    }
  }
}

// What a check left that a host can see: every finding with all its texts,
// then the log lines.
std::vector<std::string> visibleOutcome(const pl::RuntimeContext& ctx, const CapturedLog& trace,
                                        const CapturedLog& errors) {
  auto text = [](const char* t) { return t == nullptr ? std::string("(null)") : std::string(t); };
  std::vector<std::string> outcome;
  for (std::size_t i = 0; i < ctx.getProblemCount(); ++i) {
    const pl::PlausiProblem& p = *ctx.getProblem(i);
    outcome.push_back(
        text(p.getId()) + "|" + text(p.getShortDescription()) + "|" + text(p.getLongDescription()) +
        "|" + std::to_string(static_cast<int>(p.getInfoType())) + "|" + text(p.getException()));
  }
  for (const std::string& line : trace.lines) outcome.push_back("trace: " + line);
  for (const std::string& line : errors.lines) outcome.push_back("error: " + line);
  return outcome;
}

}  // namespace

void SectionTracker::onStart(const char* title, bool flag, std::size_t) {
  started.push_back(std::string(title) + (flag ? "|1" : "|0"));
  open_.emplace_back(title);
}

void SectionTracker::onLeave(const char* title, std::size_t) {
  if (open_.empty() || open_.back() != title) ++mismatches;
  if (!open_.empty()) open_.pop_back();
}

Harness::Harness(std::shared_ptr<pl::Plausi> plausi, std::shared_ptr<RecordDefinition> definition)
    : plausi_(std::move(plausi)),
      definition_(std::move(definition)),
      checker_(plausi_.get()),
      input_(*definition_) {
  ctx_.getLogger().setTraceSink(&trace);
  ctx_.getLogger().setErrorSink(&errors);
  ctx_.setSectionObserver(&sections);
  ctx_.setDataRecord(&input_.record());
}

void Harness::check(std::string_view line) {
  ctx_.reset();
  trace.lines.clear();
  errors.lines.clear();
  sections.started.clear();
  cut_ = &input_.load(line);
  ctx_.setDataRecord(&input_.record());
  runChecks();
}

void Harness::checkValues(const FieldValues& fields) {
  ctx_.reset();
  trace.lines.clear();
  errors.lines.clear();
  sections.started.clear();
  std::string text;
  for (const auto& [name, value] : fields) text += value.value_or("");
  values_record_.clear();
  values_record_.setText(text);
  // "<group>.<name>" or "<group>[n].<name>": the path and the occurrence.
  struct Place {
    std::string path;
    std::string group;  // empty for a root field
    long index = 0;
  };
  auto placeOf = [](const std::string& name) {
    Place place;
    std::size_t dot = name.find('.');
    if (dot == std::string::npos) {
      place.path = name;
      return place;
    }
    std::size_t bracket = name.find('[');
    if (bracket != std::string::npos && bracket < dot) {
      place.group = name.substr(0, bracket);
      place.index = std::stol(name.substr(bracket + 1, dot - bracket - 2)) - 1;
    } else {
      place.group = name.substr(0, dot);
    }
    place.path = place.group + name.substr(dot);
    return place;
  };
  std::vector<std::pair<std::string, long>> groups;  // in first appearance, with their counts
  for (const auto& [name, value] : fields) {
    Place place = placeOf(name);
    if (place.group.empty()) continue;
    auto it = std::find_if(groups.begin(), groups.end(),
                           [&](const auto& g) { return g.first == place.group; });
    if (it == groups.end()) {
      groups.emplace_back(place.group, place.index + 1);
    } else {
      it->second = std::max(it->second, place.index + 1);
    }
  }
  for (const auto& [group, count] : groups) {
    values_record_.addGroup(values_record_.internPath(group), nullptr, count);
  }
  std::size_t offset = 0;
  for (const auto& [name, value] : fields) {
    Place place = placeOf(name);
    long indices[2] = {place.index, -1};
    int path = values_record_.internPath(place.path);
    std::size_t size = value ? value->size() : 0;
    values_record_.addField(path, place.group.empty() ? nullptr : indices, offset, size,
                            value.has_value());
    offset += size;
  }
  ctx_.setDataRecord(&values_record_);
  runChecks();
}

// Unobserved, the runtime and the machinery leave out what only an
// observer could see; what a host sees must be the same either way. So a
// harness that observes checks every record unobserved first and compares;
// a difference ends the program with both outcomes, as expectDescribed()
// does.
void Harness::runChecks() {
  if (!ctx_.hasSectionObserver()) {  // a test that checks unobserved itself
    checker_.check(&ctx_);
    expectDescribed(*plausi_, ctx_);
    return;
  }
  ctx_.setSectionObserver(nullptr);
  bool unobserved_threw = false;
  // Out of memory (the allocation-failure tests) ends a run wherever it
  // strikes: nothing to compare then.
  bool out_of_memory = false;
  try {
    checker_.check(&ctx_);
  } catch (const std::bad_alloc&) {
    out_of_memory = true;
  } catch (...) {
    unobserved_threw = true;
  }
  const std::vector<std::string> unobserved = visibleOutcome(ctx_, trace, errors);
  ctx_.reset();
  trace.lines.clear();
  errors.lines.clear();
  sections.started.clear();
  ctx_.setSectionObserver(&sections);
  bool observed_threw = true;
  auto compare = [&] {
    const std::vector<std::string> observed = visibleOutcome(ctx_, trace, errors);
    if (out_of_memory || (observed_threw == unobserved_threw && observed == unobserved)) return;
    std::fprintf(stderr, "unobserved and observed checks differ\n--- unobserved%s:\n",
                 unobserved_threw ? " (threw)" : "");
    for (const std::string& line : unobserved) std::fprintf(stderr, "%s\n", line.c_str());
    std::fprintf(stderr, "--- observed%s:\n", observed_threw ? " (threw)" : "");
    for (const std::string& line : observed) std::fprintf(stderr, "%s\n", line.c_str());
    std::abort();
  };
  try {
    checker_.check(&ctx_);
    observed_threw = false;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (...) {
    compare();
    throw;
  }
  compare();
  expectDescribed(*plausi_, ctx_);
}

std::vector<std::string> Harness::ids() const {
  std::vector<std::string> result;
  for (std::size_t i = 0; i < ctx_.getProblemCount(); ++i)
    result.emplace_back(ctx_.getProblem(i)->getId());
  return result;
}

std::vector<std::string> Harness::allFindings() const {
  std::vector<std::string> result;
  for (const auto& [id, info] : fieldFindings())
    result.push_back(id + " info " + std::to_string(info));
  for (std::string& rule : ruleFindings()) result.push_back(std::move(rule));
  return result;
}

std::vector<std::string> Harness::ruleFindings() const {
  std::vector<std::string> result;
  for (std::size_t i = 0; i < ctx_.getProblemCount(); ++i) {
    const pl::PlausiProblem* p = ctx_.getProblem(i);
    if (p->getProblemType() != pl::ProblemType::kRule) continue;
    result.push_back(std::string(p->getId()) + " " + p->getShortDescription());
  }
  return result;
}

std::vector<std::pair<std::string, int>> Harness::fieldFindings() const {
  std::vector<std::pair<std::string, int>> result;
  for (std::size_t i = 0; i < ctx_.getProblemCount(); ++i) {
    const pl::PlausiProblem* p = ctx_.getProblem(i);
    if (p->getProblemType() != pl::ProblemType::kField) continue;
    result.emplace_back(p->getId(), static_cast<int>(p->getInfoType()));
  }
  return result;
}

}  // namespace vexal::testing
