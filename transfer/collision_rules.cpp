#include "collision_rules.h"

CollisionAction CollisionAnswers::Resolve(bool deliveredByThisBatch, const std::function<CollisionChoice()>& ask) {
  if (skipAll) return CollisionAction::kSkip;
  if (suffixAll) return CollisionAction::kSuffix;
  if (replaceAll && !deliveredByThisBatch) return CollisionAction::kReplace;
  switch (ask()) {
    case CollisionChoice::kSkipAll:
      skipAll = true;
      return CollisionAction::kSkip;
    case CollisionChoice::kSuffixAll:
      suffixAll = true;
      return CollisionAction::kSuffix;
    case CollisionChoice::kSuffix:
      return CollisionAction::kSuffix;
    case CollisionChoice::kReplaceAll:
      replaceAll = true;
      return CollisionAction::kReplace;
    case CollisionChoice::kReplace:
      return CollisionAction::kReplace;
    case CollisionChoice::kCancel:
      stop = true;
      return CollisionAction::kSkip;
    case CollisionChoice::kSkip:
      break;
  }
  return CollisionAction::kSkip;
}
