#include "util/shortcut.h"

#include "platform/platform.h"
#include "util/paths.h"

namespace tarnwick {

void CreateShortcut(const Bytes& linkFile, const Bytes& target, const Bytes& arguments,
                    const Bytes& description, const Bytes& iconFile, int32_t iconIndex,
                    uint16_t hotKey) {
  ShellLinkFields fields;
  fields.linkFile = linkFile;
  fields.target = target;
  // A DOS program expects to start in its own folder; a bare name gets no folder at all.
  fields.workingDirectory = FolderOfTarget(target);
  fields.arguments = arguments;
  fields.description = description;
  fields.iconFile = iconFile;
  fields.iconIndex = iconIndex;
  fields.hotKey = hotKey;
  Sys().WriteShellLink(fields);
}

}  // namespace tarnwick
