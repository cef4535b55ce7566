// What the playback and record mixer pages do, without a window: their column tables, setting the columns
// up, refreshing them from the device and writing the user's slider moves and clicks to it.
#pragma once

#include <array>
#include <cstdint>

#include "mixer/mixer_access.h"
#include "platform/mixer.h"
#include "platform/types.h"
#include "res/resource.h"

namespace zv {

// The controls of an open mixer page, found by id in the page's dialog each time.
class MixerView {
public:
    virtual ~MixerView() = default;
    // Without redraw.
    virtual void SetSliderRange(int id, uint32_t minimum, uint32_t maximum) = 0;
    virtual void SetSliderTick(int id, uint32_t position) = 0;
    // With redraw.
    virtual void SetSliderPosition(int id, uint32_t position) = 0;
    virtual uint32_t GetSliderPosition(int id) = 0;
    virtual void SetCheck(int id, uint32_t checked) = 0;
    virtual uint32_t GetCheck(int id) = 0;
    virtual void Enable(int id, bool enabled) = 0;
    virtual void SetLabel(int id, const char* text) = 0;
    // Hangs a column's line record on one of its controls, or takes it off with null, so the control's
    // notifications can tell whether it stands for a line.
    virtual void AttachRecord(int id, MixerLineRecord* record) = 0;
};

// One row of a page's column table.
struct MixerColumn {
    int volumeId;
    int labelId;
    int balanceId;
    int checkId;
    uint32_t componentType;
    uint32_t lineId;  // 0 takes any line of the type
};

// What a column's check box stands for.
enum class SwitchKind {
    kMute,          // the line's mute, set and cleared by the box
    kRecordSelect,  // the recording source; checking one deselects the others, unchecking is refused
};

struct MixerPageLayout {
    const MixerColumn* columns;
    uint32_t columnCount;
    uint32_t destinationType;
    SwitchKind switchKind;
};

constexpr uint32_t kMaxMixerColumns = 6;

inline constexpr MixerColumn kPlaybackColumns[] = {
    {IDC_PLAY_MASTER_VOLUME, IDC_PLAY_MASTER_LABEL, IDC_PLAY_MASTER_BALANCE, IDC_PLAY_MASTER_MUTE, kMixerDstSpeakers, 0},
    {IDC_PLAY_WAVE_VOLUME, IDC_PLAY_WAVE_LABEL, IDC_PLAY_WAVE_BALANCE, IDC_PLAY_WAVE_MUTE, kMixerSrcWaveOut, 0},
    {IDC_PLAY_SYNTH_VOLUME, IDC_PLAY_SYNTH_LABEL, IDC_PLAY_SYNTH_BALANCE, IDC_PLAY_SYNTH_MUTE, kMixerSrcSynthesizer, 0},
    {IDC_PLAY_CD_VOLUME, IDC_PLAY_CD_LABEL, IDC_PLAY_CD_BALANCE, IDC_PLAY_CD_MUTE, kMixerSrcCompactDisc, 0},
    {IDC_PLAY_MIC_VOLUME, IDC_PLAY_MIC_LABEL, IDC_PLAY_MIC_BALANCE, IDC_PLAY_MIC_MUTE, kMixerSrcMicrophone, 0},
    {IDC_PLAY_LINE_VOLUME, IDC_PLAY_LINE_LABEL, IDC_PLAY_LINE_BALANCE, IDC_PLAY_LINE_MUTE, kMixerSrcAnalog, 0},
};

// The driver's two analog recording sources are told apart by their line ids alone.
constexpr uint32_t kRecordMixLineId = 0x00020001;
constexpr uint32_t kRecordLineInLineId = 0x00010001;

inline constexpr MixerColumn kRecordColumns[] = {
    {IDC_REC_MIX_VOLUME, IDC_REC_MIX_LABEL, IDC_REC_MIX_BALANCE, IDC_REC_MIX_SELECT, kMixerSrcAnalog, kRecordMixLineId},
    {IDC_REC_MIC_VOLUME, IDC_REC_MIC_LABEL, IDC_REC_MIC_BALANCE, IDC_REC_MIC_SELECT, kMixerSrcMicrophone, 0},
    {IDC_REC_CD_VOLUME, IDC_REC_CD_LABEL, IDC_REC_CD_BALANCE, IDC_REC_CD_SELECT, kMixerSrcCompactDisc, 0},
    {IDC_REC_LINE_VOLUME, IDC_REC_LINE_LABEL, IDC_REC_LINE_BALANCE, IDC_REC_LINE_SELECT, kMixerSrcAnalog, kRecordLineInLineId},
};

inline constexpr MixerPageLayout kPlaybackMixerLayout = {kPlaybackColumns, 6, kMixerDstSpeakers, SwitchKind::kMute};
inline constexpr MixerPageLayout kRecordMixerLayout = {kRecordColumns, 4, kMixerDstWaveIn,
                                                       SwitchKind::kRecordSelect};

// One mixer page's device, handle and line records, which outlive the page's dialog.
class MixerPageLogic {
public:
    MixerPageLogic(Mixer& mixer, const MixerPageLayout& layout, uint32_t device);

    // WM_INITDIALOG: opens the device, with its change messages going to dialog, sets every column up and
    // finds its line. The caller refreshes next, through the page's ShowSettings.
    void Initialise(MixerView& view, WindowHandle dialog);
    // ShowSettings and every change message: reads every column whose line was found back from the device.
    void Refresh(MixerView& view);
    // A track bar or check box of a column was used; controls of no column with a line are ignored. A switch
    // the device does not take is shown as read back at once, since no change message follows it.
    void OnVolumeMoved(MixerView& view, int controlId);
    void OnBalanceMoved(MixerView& view, int controlId);
    void OnCheckClicked(MixerView& view, int controlId);
    // WM_DESTROY.
    void Close(WindowHandle dialog);

    uint32_t Device() const { return device_; }
    MixerHandle Handle() const { return handle_; }
    uint32_t ColumnCount() const { return columnCount_; }
    const MixerLineRecord& Record(uint32_t column) const { return records_[column]; }
    bool HasLine(uint32_t column) const { return hasLine_[column]; }

private:
    enum class Role { kVolume, kBalance, kCheck };
    // The column whose line is attached to the control, when the control has that role in it; else -1.
    int ColumnOf(int controlId, Role role) const;
    void MoveSlider(MixerView& view, int controlId, Role role);
    void AttachColumn(MixerView& view, const MixerColumn& column, MixerLineRecord* record);
    void DisableColumn(MixerView& view, const MixerColumn& column);

    Mixer& mixer_;
    MixerPageLayout layout_;
    uint32_t columnCount_;
    uint32_t device_;
    MixerHandle handle_ = 0;
    std::array<MixerLineRecord, kMaxMixerColumns> records_{};
    std::array<bool, kMaxMixerColumns> hasLine_{};
};

}  // namespace zv
