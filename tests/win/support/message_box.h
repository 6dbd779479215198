// Answers the library's message boxes without a person. While an AutoAnswer
// lives, every message box opened on this thread is recorded (caption, body,
// style read back from the box) and answered with the chosen button.
#ifndef MU_TEST_MESSAGE_BOX_H
#define MU_TEST_MESSAGE_BOX_H

#include <windows.h>

#include <string>
#include <vector>

struct BoxRecord {
  std::string caption;  // Shift-JIS, as shown
  std::string body;
  UINT style;           // buttons | icon | MB_SYSTEMMODAL, read back from the box
};

class AutoAnswer {
 public:
  // button: IDOK, IDYES, IDNO ...; delayMs: how long the box stays open.
  explicit AutoAnswer(int button, UINT delayMs = 1);
  ~AutoAnswer();
  AutoAnswer(const AutoAnswer&) = delete;
  AutoAnswer& operator=(const AutoAnswer&) = delete;

  const std::vector<BoxRecord>& boxes() const;
  std::vector<std::string> bodies() const;   // of every box so far, in order
  std::string lastBody() const;              // "" before the first box
  void setButton(int button);

 private:
  HHOOK hook_;
};

#endif
