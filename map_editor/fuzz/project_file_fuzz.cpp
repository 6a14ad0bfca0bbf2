// The project file reader on any bytes: it must refuse or read, never crash,
// allocate no more for the cells than the file holds, and what it reads must
// write back to the very bytes it was read from.
#include <algorithm>
#include <cstdlib>

#include "project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> file(data, size);
    const std::optional<tilora::MapProject> project = tilora::ReadProjectFile(file);
    if (!project) return 0;
    const size_t cells = project->tiles.Bytes().size();
    if (cells == 0 || project->col.Bytes().size() != cells || project->col.Width() != project->tiles.Width() ||
        tilora::kProjectHeaderBytes + 2 * cells > size || project->tilePath.size() > tilora::kTilePathBytes) {
        std::abort();
    }
    const std::vector<uint8_t> again = tilora::WriteProjectFile(project->tilePath, project->tiles, project->col);
    if (again.size() != tilora::kProjectHeaderBytes + 2 * cells || !std::equal(again.begin(), again.end(), data)) {
        std::abort();
    }
    if (tilora::ReadProjectFile(again) != project) std::abort();
    return 0;
}
