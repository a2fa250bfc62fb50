#include "shell/SheetChart.h"

#include "analysis/OrbSettings.h"
#include "graphics/DisplaySettings.h"
#include "shell/CurrentChart.h"
#include "shell/Personalisation.h"

namespace exo {

NatalSheetState PrepareSheetChart(std::int32_t layout, std::uint8_t aspectStyle) {
    ChartState& chart = GlobalChart();
    ClearChartState(chart);
    LoadOrbSettings(GlobalOrbSettings(), chart);
    DisplaySettings& display = GlobalDisplaySettings();
    display = LoadOrCreateDisplaySettings(display.BackupFolder);
    ApplyDisplaySettings(display);
    ComputeCurrentChartQuiet(chart);
    Personalisation& personal = GlobalPersonalisation();
    const std::string userName =
        ReadPersonalisation(personal) ? personal.UserDisplayName.str() : "";
    NatalSheetState state;
    state.AspectStyle = aspectStyle;
    PrepareSheet(state, layout, chart, userName);
    return state;
}

} // namespace exo
