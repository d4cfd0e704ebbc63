#include "step_legend.h"

#include "engineering_notation.h"
#include "fixed_fields.h"

std::string step_legend_text(const FrequencySpacing& spacing, float step, int point_count, float scale,
                             char prefix) {
    switch (spacing.kind) {
        case SpacingKind::LOGARITHMIC:
            return "log   " + format_number(7, static_cast<float>(spacing.points_per_decade), 1.0f, ' ') + "/dec";
        case SpacingKind::UNEVEN:
            return "uneven" + fields::format_iw(point_count, 7) + " pts";
        case SpacingKind::EVEN:
            break;
    }
    return "fstep " + format_number(7, step, scale, prefix) + " " + std::string(1, prefix) + "Hz";
}
