#include "scripted_transfer_host.h"

#include <fstream>

#include <gtest/gtest.h>

CollisionChoice ScriptedTransferHost::AskCollision(const std::string& source, const std::string& target) {
  collisionsAsked.push_back(source + " -> " + target);
  if (collisionAnswers.empty()) {
    ADD_FAILURE() << "unscripted collision " << source << " -> " << target;
    return CollisionChoice::kCancel;
  }
  const CollisionChoice answer = collisionAnswers.front();
  collisionAnswers.pop_front();
  return answer;
}

bool ScriptedTransferHost::AskYesNo(const std::string& question) {
  questions.push_back(question);
  if (yesNoAnswers.empty()) {
    ADD_FAILURE() << "unscripted question " << question;
    return false;
  }
  const bool answer = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return answer;
}

bool ScriptedTransferHost::CancelRequested() {
  if (cancelAfterArrivals >= 0 && int(moved.size() + copied.size()) >= cancelAfterArrivals) cancelled_ = true;
  return cancelled_;
}

TransferProgress* ScriptedTransferHost::OpenFolderCopyProgress() {
  ++folderProgressOpened;
  return this;
}

bool ScriptedTransferHost::CreateShortcut(const std::string& target, const std::string& shortcut) {
  std::ofstream link(shortcut, std::ios::binary);
  link << "link to " << target;
  return bool(link);
}

void ScriptedTransferHost::FileMoved(const std::string& source, const std::string& target) {
  moved.emplace_back(source, target);
}

void ScriptedTransferHost::FileCopied(const std::string& source, const std::string& target) {
  copied.emplace_back(source, target);
}

void ScriptedTransferHost::SetLines(const std::string& line1, const std::string& line2) {
  progressLines.push_back("1 " + line1);
  progressLines.push_back("2 " + line2);
}

void ScriptedTransferHost::SetPos(int position, int range) {
  progressLines.push_back("pos " + std::to_string(position) + "/" + std::to_string(range));
}
