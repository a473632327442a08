// Reading a zone's additional heating body back from a drawn design.
#include "heating/design/model/CFHZoneEntry.h"

#include "heating/design/model/CFHModel.h"
#include "heating/design/readback/RecordTagValues.h"

bool CFHZoneEntry::readHeatingBodyData(const CFHEntityInOut* bodyRecord, const CFHEntityInOut* numberRecord) {
  if (bodyRecord == nullptr) return false;
  if (!heatingBody) heatingBody = std::make_unique<CFHHeatingBody>();
  CFHHeatingBody& body = *heatingBody;
  body.descriptionRecord = bodyRecord;
  body.numberRecord = numberRecord;
  if (const auto number = tagInt(*bodyRecord, u"_PT_ZONA_C_OKRUHU")) body.number = static_cast<std::uint32_t>(*number);
  if (const auto output = tagReal(*bodyRecord, u"_PT_ZONA_QTP")) body.output = *output;
  const CFHPipeNetwork& network = model_->pipeNetwork();
  if (const auto point = tagLocalPoint(*bodyRecord, u"_PT_ZONA_X_ADD_PINS", network)) body.insertionPoint = *point;
  if (const auto point = tagLocalPoint(*bodyRecord, u"_PT_ZONA_X_ADD_PNUM", network)) body.connectionPoint = *point;
  return true;
}
