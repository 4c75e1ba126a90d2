#pragma once

// A control that decides itself what view mode means for it. LockControls
// calls SetEditEnabled (false: view mode, true: edit mode) on a tagged control
// that has this interface instead of disabling it, so that, for example, an
// attachments list stays open for viewing while its changing buttons are off.
class EditEnabledControl {
public:
    virtual ~EditEnabledControl() = default;
    virtual void SetEditEnabled(bool enabled) = 0;
};
