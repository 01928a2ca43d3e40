#pragma once
// What a transfer does with a file whose name is taken in the destination: the user's answer in
// the collision dialog, and the answers that hold for the rest of the batch once given.
#include <functional>

// The collision dialog's choices, numbered as its buttons report them.
enum class CollisionChoice {
  kSkip = 1,
  kSkipAll = 2,
  kSuffix = 3,
  kSuffixAll = 4,
  kReplace = 5,
  kReplaceAll = 6,
  kCancel = 7,
};

enum class CollisionAction { kSkip, kSuffix, kReplace };

// The answers of one batch. Once an "All" answer is set the dialog is not asked again, but for a
// name the batch delivered itself.
struct CollisionAnswers {
  bool skipAll = false;
  bool suffixAll = false;
  bool replaceAll = false;
  bool stop = false;  // Cancel: the batch ends after this file

  // The action for one collision, asking only when no "All" answer holds. A name this batch
  // delivered itself is never replaced unasked: with Replace All, two dropped files of one name
  // would otherwise leave only the last of them.
  CollisionAction Resolve(bool deliveredByThisBatch, const std::function<CollisionChoice()>& ask);
};
