// The settings the main dialog's pages change, by the key under which the
// dialog stores each (a few without a store key have names of our own:
// LOSS_QC, AREA_FROM_LOSS, BODY_OUTPUT), each applied to a zone or a circuit
// through its change-detecting setter:
//
//   zone, design inputs: CIRCUIT_SHAPE (0 meander, 1 spiral), DISPLAY_TYPE
//     (0-2), CB_PIPE_PITCH (the spacing l, m, above 0), CB_BORDER_R (m, 0 or
//     more), BORDER_FIXED (0/1);
//   zone: CB_T_TI (with the ti/tp coupling), CB_T_TP, T_TP_FIXED (0/1),
//     CB_T_TDI, CB_PIPE_DIAM, CB_PLACEMENT (0-2), CB_ABOVE_AP, CB_T_ADP,
//     CB_T_LVR, CB_CAPACITY, CB_SOIL_RZ, CB_T_TZ, CB_FURN_PLINTH,
//     CB_FURN_LEGS, LOSS_QC (W), AREA_FROM_LOSS (0/1), BODY_OUTPUT (W, the
//     zone's heating body, or the one it gets when it is placed);
//   circuit: CB_IN_T1, CB_OUT_T2, CB_MAX_LEN, PMAX_KPA, CHECK_PMAX (0/1),
//     CB_PIPE_MAT (a text);
//   the manifold, without a target: PIPE_PITCH (the distribution pipe pitch,
//     m, above 0): the jobs are stopped and every circuit is connected again
//     (CFHPipeNetwork::setPipePitch); when that fails nothing changed, the
//     jobs are started again and the setting is refused.
//
// Numbers are written with a decimal point and must be read whole. A
// setting without a target applies to every zone in the dialog's scope
// (the selected zones, or all) or to every circuit. A design input first
// stops the job of each zone's circuit (rule T2 of CFHModel.h), so that the
// restart that follows designs the change. CB_BORDER_R is refused for a zone
// whose border width is calculated (BORDER_FIXED 0): the calculation would
// replace it (2.3 / M), so the value would be taken and have no effect.
//
// A refused setting says why: an unknown key with the nearest known one, a
// value that is not a number (a decimal comma), out of its range, a target
// the model lacks or of the wrong kind, a border width that is calculated.
//
// Threads: the command's thread.
#pragma once

#include "platform/cadhost/ScriptedDialog.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class CFHModel;

// The outcome of applying a setting.
enum class DialogSettingAnswer {
  kApplied,     // taken (whether or not a value changed)
  kDesignInput, // taken, and it is a design input: the jobs are to restart
  kRefused,     // an unknown key or target, a target of the wrong kind, a value that does not read
};

// The heating bodies' outputs set before the bodies exist, by zone number.
using PendingBodyOutputs = std::map<std::uint32_t, double>;

// Every key the dialog takes: BODY_OUTPUT, PIPE_PITCH, then its table's in
// order (the order in which an unknown key's nearest one is sought).
std::vector<std::u16string_view> dialogSettingKeys();

// Applies one setting; nothing changes when it is refused, and `refusal`
// (when given) then says why.
DialogSettingAnswer applyDialogSetting(CFHModel& model, std::u16string_view key, std::u16string_view value,
                                       HvDialogTarget target, std::int32_t targetNumber,
                                       PendingBodyOutputs& bodyOutputs, std::u16string* refusal = nullptr);
