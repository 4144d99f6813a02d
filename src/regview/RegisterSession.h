#pragma once
#include "regview/RegisterKeyQueue.h"
#include "regview/RegisterValue.h"

namespace quarry {

class RegisterPicker;
class RegisterView;

// One register in the register window: shows its fields for the value 0, then takes the
// window's keys one at a time until Enter (write code) or Esc (no code).
class RegisterSession final {
public:
    RegisterSession(const RegisterDefinition& reg, RegisterView& view, RegisterPicker& picker);

    // True when the user pressed Enter.
    bool Run();
    const RegisterValue& Value() const { return value_; }
    int Current() const { return current_; }

private:
    // False when the key ends the run.
    bool Handle(const QueuedKey& key, bool& writeCode);
    void Select(int index);
    void Changed(bool changed);
    void ShowAllSettings();

    RegisterValue value_;
    RegisterView& view_;
    RegisterPicker& picker_;
    int current_ = 0;
};

}  // namespace quarry
