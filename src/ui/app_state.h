#pragma once
// The application state that TForm1 owns and its stages share.

#include <QString>
#include <cstdint>
#include <memory>

#include "model/filter_settings.h"
#include "model/stores.h"

struct AppState {
    kombinator::FilterSettings settings;
    // The stores live for the whole run; allocated once, never freed or shrunk.
    std::unique_ptr<kombinator::CandidateStore> candidates = std::make_unique<kombinator::CandidateStore>();
    std::unique_ptr<kombinator::SystemStore> system = std::make_unique<kombinator::SystemStore>();
    std::int32_t CandidateCount = 0;
    std::int32_t SystemCount = 0;
    // Both 0 until FormCreate sets them; a failed offset load at start-up leaves them 0.
    std::uint8_t GeneratorBusy = 0;
    std::uint8_t SystemSaved = 0;
    QString StartDirectory;
};
