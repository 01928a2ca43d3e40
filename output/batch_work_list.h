#pragma once
// The files of one batch job, in the order the job works on them. Each new entry goes in front,
// so a job works through its files in the reverse of the order they were listed or selected in.
// Each job owns its list: a transform started during a batch run cannot pull the batch's files
// away from under its worker.
#include <string>
#include <vector>

class CThumbList;

class BatchWorkList {
 public:
  BatchWorkList() = default;
  // The list made from files listed in this order.
  explicit BatchWorkList(const std::vector<std::string>& listed);

  void Prepend(const std::string& path);
  void Clear() { entries_.clear(); }
  int Count() const { return int(entries_.size()); }
  // In the order the job works on them.
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

// The list of a job on a view's selected files: each item's folder followed by its name.
BatchWorkList BuildWorkList(CThumbList& items);
