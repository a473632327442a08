#include "heating/design/output/CFHOutputContext.h"

#include "heating/design/output/CFHExtendedData.h"

#include "host/HostExport.h"
#include "host/entities/ltEntProps.h"

#include "platform/cadhost/HostStatus.h"

#include <algorithm>
#include <span>

namespace {

// The host writes a new handle into a buffer of this many units.
constexpr int kHandleBufferSize = 50;

// Sets the handle and appends the association group; false, unchanged, when
// the group cannot be built.
bool associate(ltEntProps& props, const std::u16string& handle, std::span<const std::u16string> listed) {
  ownedChain group = associationData(listed);
  if (!group) return false;
  props.handle = handle;
  props.appendToTail(std::move(group));
  return true;
}

}  // namespace

void CFHOutputContext::dropHandle(const std::u16string& handle) {
  const auto found = std::find(newHandles.rbegin(), newHandles.rend(), handle);
  if (found != newHandles.rend()) newHandles.erase(std::next(found).base());
}

bool CFHOutputContext::makeEntity(const resbuf* list) const {
  return list != nullptr && callHostWordOf<114>(host, list, 0, 0) == hostStatus::normal;
}

bool markOutputEntity(CFHOutputContext& context, ltEntProps& props, const char16_t* handleText) {
  std::u16string handle;
  if (handleText != nullptr && *handleText != u'\0') {
    handle = handleText;
  } else {
    char16_t buffer[kHandleBufferSize] = {};
    if (!callHostWordOf<164>(context.host, buffer)) return false;
    buffer[kHandleBufferSize - 1] = u'\0';
    handle = buffer;
  }
  if (handle.empty() || !associate(props, handle, context.manifoldHandles)) return false;
  context.newHandles.push_back(std::move(handle));
  return true;
}

bool markManifoldAssociation(CFHOutputContext& context, ltEntProps& props) {
  if (context.manifoldHandles.empty() || context.manifoldHandles.front().empty()) return false;
  std::vector<std::u16string> listed = context.newHandles;
  listed.insert(listed.end(), context.keptHandles.begin(), context.keptHandles.end());
  return associate(props, context.manifoldHandles.front(), listed);
}
