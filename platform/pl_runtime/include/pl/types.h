// Enumerations shared by the rule runtime and the rule sets.

#ifndef VEXAL_RUNTIME_PL_TYPES_H_
#define VEXAL_RUNTIME_PL_TYPES_H_

namespace pl {

// Type of a field or topic as the runtime sees it. Numeric fields carry a
// digit mask ("0" followed by one "#" per digit); date and time fields the
// masks "JJJJMMTT" or "SSmmss".
enum class FieldType : int {
  kAlphanumeric = 0,
  kNumeric = 2,
  kDateTime = 4,
  kTopic = 6,
};

enum class ProblemType : int {
  kField = 1,  // written by a type-conformance check
  kRule = 2,   // written by a check procedure
};

enum class ProblemInfoType : int {
  kGeneral = 0,  // rule finding, or an error during a check
  kInvalid = 1,  // the record does not supply the field
  kNotTypeConform = 2,
  kTooLong = 3,
};

enum class IntervalType : int {
  kClosed = 0,    // both bounds belong to the interval
  kOpenLow = 1,   // the lower bound does not
  kOpenHigh = 2,  // the upper bound does not
  kOpen = 3,      // neither bound does
};

enum class ExceptionType : int {
  kUnspecified = 0,
  kWrongType = 1,   // an operation got a value of a kind it cannot use
  kBadFormat = 2,   // a text does not have the form an operation needs
  kArithmetic = 3,  // division by zero, overflow
  kNameNotFound = 4,
  kInvalidElementAccess = 7,
  kNameMissing = 9,  // no name given, or a check key nobody knows
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_TYPES_H_
