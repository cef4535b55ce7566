#include "pages/mixer/mixer_page_logic.h"

#include <algorithm>
#include <cstring>

#include "mixer/volume_model.h"

namespace zv {

MixerPageLogic::MixerPageLogic(Mixer& mixer, const MixerPageLayout& layout, uint32_t device)
    : mixer_(mixer),
      layout_(layout),
      columnCount_(std::min(layout.columnCount, kMaxMixerColumns)),
      device_(device) {}

void MixerPageLogic::Initialise(MixerView& view, WindowHandle dialog) {
    // A new dialog has new controls: nothing is attached to them until its line is found again.
    hasLine_.fill(false);
    // A handle left open would go on posting changes to a window that is gone.
    if (handle_ != 0) CloseMixer(mixer_, dialog, handle_);
    handle_ = OpenMixer(mixer_, dialog, device_);
    if (handle_ == 0) return;

    for (uint32_t i = 0; i < columnCount_; ++i) {
        const MixerColumn& column = layout_.columns[i];
        MixerLineRecord& record = records_[i];
        view.SetSliderRange(column.volumeId, 0, kVolumeSliderMax);
        view.SetSliderRange(column.balanceId, 0, kBalanceSliderMax);
        view.SetSliderTick(column.balanceId, kBalanceCentre);
        view.SetSliderPosition(column.balanceId, kBalanceCentre);
        record.balance = kBalanceCentre;

        if (!FindMixerLine(mixer_, handle_, record, column.componentType, layout_.destinationType, column.lineId)) {
            AttachColumn(view, column, nullptr);
            DisableColumn(view, column);
            continue;
        }
        hasLine_[i] = true;
        AttachColumn(view, column, &record);
        // The driver's name need not be terminated within its field.
        char name[kMixerLongNameChars + 1] = {};
        std::memcpy(name, record.line.szName, kMixerLongNameChars);
        view.SetLabel(column.labelId, name);
        if (!GetLineControls(mixer_, handle_, record)) {
            DisableColumn(view, column);
            continue;
        }
        // A control that cannot act is shown disabled, and a mute box that cannot act never shows muted.
        if (!HasVolumeControl(record)) {
            view.Enable(column.volumeId, false);
            view.Enable(column.balanceId, false);
        } else if (!HasBalance(record)) {
            view.Enable(column.balanceId, false);
        }
        if (layout_.switchKind == SwitchKind::kMute && !HasMuteControl(record)) {
            view.Enable(column.checkId, false);
            record.switchValue = 0;
        }
    }
}

void MixerPageLogic::Refresh(MixerView& view) {
    if (handle_ == 0) return;
    for (uint32_t i = 0; i < columnCount_; ++i) {
        if (!hasLine_[i]) continue;
        const MixerColumn& column = layout_.columns[i];
        MixerLineRecord& record = records_[i];
        if (!GetLineControls(mixer_, handle_, record)) continue;
        // A line without a volume still shows its switch.
        if (HasVolumeControl(record)) {
            if (!GetLineVolume(mixer_, handle_, record)) continue;
            view.SetSliderPosition(column.volumeId, VolumeSliderPosition(record));
            if (BalanceFromLevels(record)) view.SetSliderPosition(column.balanceId, record.balance);
        }
        // A switch that cannot be read shows what the record last held.
        if (layout_.switchKind == SwitchKind::kMute) {
            GetLineMute(mixer_, handle_, record);
        } else {
            GetRecordSelect(mixer_, handle_, record);
        }
        view.SetCheck(column.checkId, record.switchValue);
    }
}

void MixerPageLogic::OnVolumeMoved(MixerView& view, int controlId) { MoveSlider(view, controlId, Role::kVolume); }

void MixerPageLogic::OnBalanceMoved(MixerView& view, int controlId) { MoveSlider(view, controlId, Role::kBalance); }

void MixerPageLogic::OnCheckClicked(MixerView& view, int controlId) {
    const int i = ColumnOf(controlId, Role::kCheck);
    if (i < 0) return;
    MixerLineRecord& record = records_[i];
    const uint32_t checked = view.GetCheck(controlId);
    if (layout_.switchKind == SwitchKind::kRecordSelect && checked == 0) {
        // The selected source was clicked: a recording source is only deselected by selecting another.
        view.SetCheck(controlId, record.switchValue);
        return;
    }
    record.switchValue = checked;
    const bool written = layout_.switchKind == SwitchKind::kMute ? SetLineMute(mixer_, handle_, record)
                                                                 : SetRecordSelect(mixer_, handle_, record);
    // The device's change message brings the refresh, which also clears a previously selected source.
    if (written) return;
    // Nothing was written and no change message will come: the box goes back to what it showed before the
    // click, and the device is read again for what it really holds.
    record.switchValue = checked != 0 ? 0 : 1;
    view.SetCheck(controlId, record.switchValue);
    Refresh(view);
}

void MixerPageLogic::Close(WindowHandle dialog) {
    CloseMixer(mixer_, dialog, handle_);
    handle_ = 0;
    hasLine_.fill(false);
}

int MixerPageLogic::ColumnOf(int controlId, Role role) const {
    for (uint32_t i = 0; i < columnCount_; ++i) {
        const MixerColumn& column = layout_.columns[i];
        const int id = role == Role::kVolume    ? column.volumeId
                       : role == Role::kBalance ? column.balanceId
                                                : column.checkId;
        if (hasLine_[i] && controlId == id) return static_cast<int>(i);
    }
    return -1;
}

// Every notification writes, so a dragged thumb is heard at each step.
void MixerPageLogic::MoveSlider(MixerView& view, int controlId, Role role) {
    const int i = ColumnOf(controlId, role);
    if (i < 0) return;
    MixerLineRecord& record = records_[i];
    if (!HasVolumeControl(record) || (role == Role::kBalance && !HasBalance(record))) return;
    ApplySliderPosition(record, view.GetSliderPosition(controlId), role == Role::kBalance);
    SetLineVolume(mixer_, handle_, record);
}

void MixerPageLogic::AttachColumn(MixerView& view, const MixerColumn& column, MixerLineRecord* record) {
    view.AttachRecord(column.volumeId, record);
    view.AttachRecord(column.balanceId, record);
    view.AttachRecord(column.checkId, record);
}

void MixerPageLogic::DisableColumn(MixerView& view, const MixerColumn& column) {
    view.Enable(column.volumeId, false);
    view.Enable(column.balanceId, false);
    view.Enable(column.checkId, false);
}

}  // namespace zv
