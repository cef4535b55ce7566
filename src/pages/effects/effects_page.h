// The "Effects" tab: QSound CPU usage, reverb with its default environment, low-frequency enhancement and
// stereo expansion, kept in one 3D settings record that outlives the page window.
#pragma once

#include <windows.h>

#include "pages/effects/q3d_settings.h"
#include "panel/control_page.h"

namespace zv {

class EffectsPage final : public ControlPage {
public:
    explicit EffectsPage(Registry& registry);

    UINT GetTitleId() override;
    LPCSTR GetTemplateName() override;
    void LoadSettings(SoundObject* sound, SoundPropertySet* properties) override;
    void ApplySettings(SoundObject* sound, SoundPropertySet* properties) override;
    void ShowSettings(HWND page) override;
    void ReadControls(HWND page) override;

    Q3DSettings& Settings() { return settings_; }

private:
    void OnInitDialog(HWND page) override;
    bool OnMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    Registry& registry_;
    Q3DSettings settings_;
};

}  // namespace zv
