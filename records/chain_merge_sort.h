#pragma once
// A stable sort of a singly linked chain (items linked through their member next, the last one's
// next null): bottom-up merging of runs of 1, 2, 4, ... items, O(n log n) comparisons whatever
// the input's order, no allocation and no recursion.

// Merges two sorted chains; an item of the later chain goes first only when goesFirst(later,
// earlier) says so, so that equal items keep their order.
template <class Item, class GoesFirst>
Item* MergeChains(Item* earlier, Item* later, GoesFirst& goesFirst) {
  Item* merged = nullptr;
  Item** end = &merged;
  while (earlier && later) {
    Item*& taken = goesFirst(*later, *earlier) ? later : earlier;
    *end = taken;
    end = &taken->next;
    taken = taken->next;
  }
  *end = earlier ? earlier : later;
  return merged;
}

// Sorts the chain from head and returns its new head. goesFirst(later, earlier) is true when an
// item must come before one that stood ahead of it.
template <class Item, class GoesFirst>
Item* SortChain(Item* head, GoesFirst goesFirst) {
  // runs[i] is null or a sorted run of 2^i items, holding items that stood ahead of those in
  // runs[i - 1]; 64 levels cover any chain that fits in memory.
  Item* runs[64] = {};
  while (head) {
    Item* run = head;
    head = head->next;
    run->next = nullptr;
    int level = 0;
    for (; runs[level]; ++level) {
      run = MergeChains(runs[level], run, goesFirst);
      runs[level] = nullptr;
    }
    runs[level] = run;
  }
  Item* sorted = nullptr;
  for (Item* run : runs)
    if (run) sorted = MergeChains(run, sorted, goesFirst);
  return sorted;
}
