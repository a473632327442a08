"""The drawn heating design in a saved drawing, checked with ezdxf.

Usage: design_dxf_check.py DESIGN.dxf [--input INPUT.dxf] [--annotative 0|1|3] [--edited]

As a module: check_design(path, input_path=None, annotative=None,
complete=True) answers the list of failures (empty when the design is sound)
and the records it found; with complete=False a design may lack hatches and
dimensions (the host refused them); with fresh=False entities that replaced
old ones of their handle may stand where those stood (an edited design); the
entities of `left` (handles an edit left as drawn) may point to the
manifold, and those it lists come after the output's own; only the output's
own are judged as drawn.

What a sound design is:
- ezdxf's audit finds no error; the application names are registered; no
  value anywhere in the file is "nan" or "inf" (or holds one);
- one manifold block lists, in "VE2R_ASSOC", every entity the output wrote,
  in creation order: per circuit its supply and return polylines, its zones'
  border hatches and border-width dimensions; the manifold label; per zone
  its description (with its heating body's description and number) and its
  outline; per circuit its label; then the entities an edit left as drawn.
  Each of them points back to the manifold, and no other entity does;
- every heating record has its keys in their exact order with values of the
  record's formats; hatches and dimensions carry none;
- dimensions are on "HVKOTY" in style "havlen" with the overrides 42 and 44 at
  0; hatches on "T-podlahove_vytapeni", one per circuit zone of display type 2;
- "VE2R_ANNOTATIVE" (mode 1 or 3) on every text and dimension, or on none;
- the manifold keeps its block and placement (compared with the input drawing
  when given), holds the item keys and no "_PT_X_IN_T1"/"_PT_X_OUT_T2";
- each circuit whose pipes reach its first zone at the zone's boundary (its
  first connection point lies on an outline of its zones) has a supply
  polyline that starts and a return polyline that ends on the manifold
  outline, within the manifold-connection tolerance (25 mm).
"""
import argparse
import math
import re
import sys

import ezdxf
from ezdxf import units
from ezdxf.math import Vec2, Vec3

# Value formats of the records.
_NUMBER = {
    "int": r"-?\d+",
    "flag": r"[01]",
    "real2": r"-?\d+\.\d{2}|0",
    "real3": r"-?\d+\.\d{3}|0",
    "realfull": r"-?\d+\.\d{6}|0",
    "var2": r"-?\d+\.\d{2}|0",
    "var3": r"-?\d+\.\d{3}|0",
    "var4": r"-?\d+\.\d{4}|0",
    "percent": r"-?\d+",
    "point": r"\(-?\d+\.\d{2}\|-?\d+\.\d{2}\|0\.00\)",
    "list": r"\[((-?\d+\.\d{6}|0)(\|(-?\d+\.\d{6}|0))*)?\]",
    "text": r"(?s).*",
    "XPP": r"XPP",
}


def utf8_read_as_cp1250(text):
    """The labels of the pipe records: Czech words stored byte by byte."""
    return text.encode("utf-8").decode("cp1250")


# (key, rule); a rule ending in "?" may also be empty (a circuit without zone).
CIRCUIT_KEYS = [
    ("_PT_CISLO_OKRUHU", "int"), ("_PT_X_CD_CBC", "int"), ("_PT_X_CD_DINS1", "point"),
    ("_PT_X_CD_DINS2", "point"), ("_PT_X_CD_LMAX", "real3"), ("_PT_X_CD_L", "real3"),
    ("_PT_X_CD_LP", "real3?"), ("_PT_X_CD_W", "var2?"), ("_PT_X_CD_DT", "var2?"), ("_PT_X_IN_T1", "real3"),
    ("_PT_X_OUT_T2", "real3"), ("_PT_X_CD_C", "real2?"), ("_PT_X_CD_R", "var2?"), ("_PT_X_CD_PMAXD", "flag"),
    ("_PT_X_CD_PMAX", "real3"), ("_PT_X_CD_MHP", "var3?"), ("_PT_X_CD_P", "var3?"), ("_PT_X_CD_KV", "var2?"),
    ("_PT_X_CD_LIN", "text"), ("_PT_X_CD_LOUT", "text"),
]
PIPE_LABELS = [utf8_read_as_cp1250("Název"), utf8_read_as_cp1250("Materiál"), "Dimenze"]
SUPPLY_LABEL = utf8_read_as_cp1250("Přívodní-podlahové vytápění")
RETURN_LABEL = utf8_read_as_cp1250("Zpětné-podlahové vytápění")
PIPE_KEYS = [(PIPE_LABELS[0], "text"), (PIPE_LABELS[1], "text"), (PIPE_LABELS[2], "real3")] + CIRCUIT_KEYS
ZONE_KEYS = [
    ("_PT_ZONA_OZN", "text"), ("_PT_ZONA_POZNAMKA", "text"), ("_PT_ZONA_CISLO", "int"),
    ("_PT_ZONA_C_OKRUHU", "int"), ("_PT_ZONA_SP", "real3"), ("_PT_ZONA_OP", "real3"),
    ("_PT_ZONA_PODL_UMISTENI", "text"), ("_PT_ZONA_SKLADBA_AKC", "text"), ("_PT_ZONA_SKLADBA_OZN", "text"),
    ("_PT_ZONA_POTR_MATERIAL", "text"), ("_PT_ZONA_POTR_PRUMER", "real3"), ("_PT_ZONA_L_ROZTEC", "real3"),
    ("_PT_ZONA_SPNN", "real3"), ("_PT_ZONA_SPNS", "real3"), ("_PT_ZONA_LOSS_QC", "real3"),
    ("_PT_ZONA_TI", "real3"), ("_PT_ZONA_TI2", "real3"), ("_PT_ZONA_TM", "var3"), ("_PT_ZONA_TP", "real3"),
    ("_PT_ZONA_TP_FIX", "flag"), ("_PT_ZONA_TZ", "real3"), ("_PT_ZONA_A2P", "real3"), ("_PT_ZONA_LVR", "real3"),
    ("_PT_ZONA_KV", "var3"), ("_PT_ZONA_TS", "var3"), ("_PT_ZONA_C", "real3"), ("_PT_ZONA_R2", "var3"),
    ("_PT_ZONA_QPC", "var3"), ("_PT_ZONA_QO", "var3"), ("_PT_ZONA_QP", "var3"), ("_PT_ZONA_R", "var4"),
    ("_PT_ZONA_Q", "var3"), ("_PT_ZONA_Q2", "var3"), ("_PT_ZONA_AP", "real3"), ("_PT_ZONA_LA", "var3"),
    ("_PT_ZONA_LB", "var3"), ("_PT_ZONA_M", "var3"), ("_PT_ZONA_L_DELKA", "real3"),
    ("_PT_ZONA_LH_DELKA", "real3"), ("_PT_ZONA_LP_DELKA", "real3"), ("_PT_ZONA_MHP", "var3"),
    ("_PT_ZONA_W", "var3"), ("_PT_ZONA_P", "var3"), ("RZ", "text"), ("PRPD", "text"), ("PRPO", "text"),
    ("PRQC", "var3"), ("PRCD", "var3"), ("PRCP", "var3"), ("_PT_RZ_CELK_MHP", "var3"),
    ("_PT_RZ_CELK_P", "var3"), ("_PT_RZ_MAX_P", "real3"), ("_XPPDIV", "XPP"), ("_PT_X_MD_DID", "flag"),
    ("_PT_X_ZDR_SHP", "int"), ("_PT_X_ZDR_DD", "int"), ("_PT_X_ZDR_SPC", "realfull"),
    ("_PT_X_ZDR_PERP", "realfull"), ("_PT_X_ZDR_RADD", "realfull"), ("_PT_X_ZDR_RADL", "realfull"),
    ("_PT_X_ZDR_DARR", "list"), ("_PT_X_ZDR_MEBA", "int"), ("_PT_X_CLC_BFIX", "flag"),
    ("_PT_ZONA_PERCENT_T", "percent"), ("_PT_ZONA_PERCENT_Q", "percent"), ("_PT_ZONA_SCELK", "var3"),
]
BODY_KEYS = [
    ("_PT_ZONA_OZN", "text"), ("_PT_ZONA_CISLO", "int"), ("_PT_ZONA_C_OKRUHU", "int"), ("_PT_ZONA_QTP", "int"),
    ("_PT_ZONA_X_ADD_PINS", "point"), ("_PT_ZONA_X_ADD_PNUM", "point"), ("RZ", "text"),
]
NUMBER_KEYS = [("_PT_ZONA_CISLO", "int")]
MANIFOLD_KEYS = [
    ("RZ", "text"), ("PRPD", "text"), ("PRPO", "text"), ("PRQC", "var2"), ("PRCD", "var3"), ("PRCP", "var3"),
    ("_PT_RZ_CELK_MHP", "var3"), ("_PT_RZ_CELK_P", "var3"), ("_PT_RZ_MAX_P", "real3"), ("_PT_X_DSD_NC", "flag"),
    ("_PT_X_DSD_NZ", "flag"), ("_PT_X_DSD_NBC", "int"), ("_PT_X_DSD_ZBC", "int"), ("_PT_X_DSD_CC", "flag"),
    ("_PT_X_DSD_MP", "real3"), ("_PT_X_DSD_MMP", "real3"), ("_PT_X_DSC_TXTSOPT", "text"),
    ("_PT_X_DSC_TXTSOR", "text"), ("_PT_X_DSC_TXTSCO", "text"), ("_PT_X_DSC_TXTSDOT", "text"),
    ("_PT_X_DSC_TXTHOPT", "real3"), ("_PT_X_DSC_TXTHDPP", "real3"), ("_PT_X_DSC_TXTHOR", "real3"),
    ("_PT_X_DSC_TXTHCO", "real3"), ("_PT_X_DSC_TXTHDOT", "real3"), ("_PT_X_DSC_TXTWFOPT", "real3"),
    ("_PT_X_DSC_TXTWFDPP", "real3"), ("_PT_X_DSC_TXTWFOR", "real3"), ("_PT_X_DSC_TXTWFCO", "real3"),
    ("_PT_X_DSC_TXTWFDOT", "real3"), ("_PT_X_DSC_LOPT", "text"), ("_PT_X_DSC_LOR", "text"),
    ("_PT_X_DSC_LCO", "text"), ("_PT_X_DSC_DOT", "text"), ("_PT_X_DSC_MDPP", "text"),
]

# Record identifier: (entity type, token of the creation order, key list).
RECORDS = {
    "TP80000-0001": ("LWPOLYLINE", "P", PIPE_KEYS),
    "TP90000-0001": ("LWPOLYLINE", "R", PIPE_KEYS),
    "TPV1000-0002": ("MTEXT", "M", []),
    "TPV1000-0001": ("MTEXT", "Z", ZONE_KEYS),
    "TPV1001-0001": ("MTEXT", "B", BODY_KEYS),
    "TPV1001-0003": ("MTEXT", "N", NUMBER_KEYS),
    "TPV2000-0001": ("LWPOLYLINE", "O", NUMBER_KEYS),
    "TPV1001-0002": ("MTEXT", "C", CIRCUIT_KEYS),
}
# Per circuit its pipes, hatches and dimensions; the manifold label; per zone
# its description, heating body and outline; per circuit its label.
CREATION_ORDER = re.compile(r"^(?:P+R+H*D*)+M(?:Z(?:BN)?O)+C+$")

HATCH_LAYER = "T-podlahove_vytapeni"
# A number no reader of the drawing can parse, alone or within a value.
NOT_A_NUMBER = re.compile(r"(?i)(?<![a-z])[-+]?(nan|inf)(?![a-z])")
DSTYLE = [(1000, "DSTYLE"), (1002, "{"), (1070, 42), (1040, 0.0), (1070, 44), (1040, 0.0), (1002, "}")]


def tags_of(entity, app):
    """The extended data of the application as (code, value) pairs, or None."""
    if not entity.has_xdata(app):
        return None
    return [(t.code, t.value) for t in entity.get_xdata(app)]


def heating_record(entity):
    """(identifier, [(key, value)]) of a heating record; None without one."""
    tags = tags_of(entity, "QEV_DATA")
    if not tags or tags[0][0] != 1000:
        return None
    texts = [v for c, v in tags[1:]]
    return tags[0][1], list(zip(texts[0::2], texts[1::2])), len(texts) % 2


def item_pairs(entity):
    """The item's (key, value) pairs after its table header and cells."""
    tags = tags_of(entity, "QEV_DATA") or []
    texts = [v for c, v in tags if c == 1000]
    if not texts:
        return []
    cells = 0
    match = re.match(r"E@(\d+)x(\d+)", texts[0])
    if match:
        cells = int(match.group(1)) * int(match.group(2))
    rest = texts[1 + cells:]
    return list(zip(rest[0::2], rest[1::2]))


def association(entity):
    """The handles the entity's "VE2R_ASSOC" lists; None when its head is wrong."""
    tags = tags_of(entity, "VE2R_ASSOC")
    if tags is None or tags[:3] != [(1005, ""), (1000, "VE2R_HEATPIPES"), (1070, 1)]:
        return None
    rest = tags[3:]
    if len(rest) % 2 or any(rest[i] != (1070, 272) or rest[i + 1][0] != 1005 for i in range(0, len(rest), 2)):
        return None
    return [rest[i + 1][1] for i in range(0, len(rest), 2)]


def same_value(a, b):
    """Equal texts, or numbers and points within 1e-9 (relative above 1)."""
    if isinstance(a, str) or isinstance(b, str) or a is None or b is None:
        return a == b
    xs = tuple(a) if hasattr(a, "__iter__") else (a,)
    ys = tuple(b) if hasattr(b, "__iter__") else (b,)
    return len(xs) == len(ys) and all(math.isclose(x, y, rel_tol=1e-9, abs_tol=1e-9) for x, y in zip(xs, ys))


def value_matches(value, rule):
    optional = rule.endswith("?")
    rule = rule.rstrip("?")
    if optional and value == "":
        return True
    return re.fullmatch(_NUMBER[rule], value) is not None


class Design:
    """What the checker found: the manifold, the listed entities and their records."""

    def __init__(self):
        self.manifold = None
        self.listed = []      # the output's entities in the manifold's order
        self.kept = []        # the entities an edit left as drawn that it lists after them
        self.records = {}     # handle -> (identifier, pairs)
        self.tokens = ""

    def values(self, identifier):
        """The records of the identifier as dictionaries, in creation order."""
        return [dict(pairs) for h, (i, pairs) in self.records.items() if i == identifier]


def check_design(path, input_path=None, annotative=None, complete=True, fresh=True, left=()):
    failures = []
    design = Design()

    def fail(message):
        failures.append(message)

    with open(path, encoding="latin-1") as f:
        for n, line in enumerate(f, start=1):
            if NOT_A_NUMBER.search(line):
                fail(f"line {n} holds a value that is no number: {line.strip()!r}")
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    for error in auditor.errors:
        fail(f"audit error: {error.message}")
    msp = doc.modelspace()
    by_handle = {e.dxf.handle: e for e in msp}

    manifolds = [e for e in msp if e.dxftype() == "INSERT" and association(e) is not None]
    if len(manifolds) != 1:
        fail(f"{len(manifolds)} manifolds list the design; one must")
        return failures, design
    manifold = design.manifold = manifolds[0]
    handle = manifold.dxf.handle
    if tags_of(manifold, "VE2R_ASSOC")[0] != (1005, ""):
        fail("the manifold's empty 1005 did not survive")
    listed = association(manifold)
    if len(set(listed)) != len(listed):
        fail("the manifold lists a handle twice")
    kept = [h for h in listed if h in set(left)]
    if kept != listed[len(listed) - len(kept):]:
        fail(f"the entities left as drawn {kept} are not listed after the output's own")
    for h in listed:
        entity = by_handle.get(h)
        if entity is None:
            fail(f"the manifold lists {h}, which is not in the drawing")
            continue
        (design.kept if h in set(left) else design.listed).append(entity)
        if association(entity) != [handle]:
            fail(f"{entity.dxftype()} {h} does not point back to the manifold only")
    listed = [h for h in listed if h not in set(left)]
    pointing = {e.dxf.handle for e in msp if e is not manifold and association(e) == [handle]}
    if pointing - set(left) != set(listed):
        fail(f"entities tied to the manifold but not listed: {sorted(pointing - set(listed) - set(left))}")

    # Records, keys, formats.
    for entity in design.listed:
        h, kind = entity.dxf.handle, entity.dxftype()
        record = heating_record(entity)
        if kind in ("HATCH", "DIMENSION"):
            design.tokens += "H" if kind == "HATCH" else "D"
            if record is not None:
                fail(f"{kind} {h} carries a heating record")
            continue
        if record is None or record[0] not in RECORDS:
            fail(f"{kind} {h} carries no known heating record")
            design.tokens += "?"
            continue
        identifier, pairs, odd = record
        wanted_type, token, keys = RECORDS[identifier]
        design.tokens += token
        design.records[h] = (identifier, pairs)
        if kind != wanted_type:
            fail(f"{identifier} {h} is a {kind}, not a {wanted_type}")
        if odd:
            fail(f"{identifier} {h}: a key without a value")
        if [k for k, _ in pairs] != [k for k, _ in keys]:
            fail(f"{identifier} {h}: keys {[k for k, _ in pairs]} are not {[k for k, _ in keys]}")
            continue
        for (key, value), (_, rule) in zip(pairs, keys):
            if not value_matches(value, rule):
                fail(f"{identifier} {h}: {key} = {value!r} is not {rule}")
        if token in "PR":
            label = SUPPLY_LABEL if token == "P" else RETURN_LABEL
            if pairs[0][1] != label:
                fail(f"{identifier} {h}: the label {pairs[0][1]!r} is not {label!r}")
            if entity.closed:
                fail(f"{identifier} {h}: a pipe is drawn closed")
        if token == "O" and not entity.closed:
            fail(f"outline {h} is not closed")
    if not CREATION_ORDER.match(design.tokens):
        fail(f"creation order {design.tokens} is not the output's")
    order = [e.dxf.handle for e in msp if e.dxf.handle in set(listed)]
    if fresh and order != listed:
        fail("the drawing's entity order is not the manifold's list order")

    # Circuits: pipe groups and labels agree; hatches and dimensions per zone.
    zones = design.values("TPV1000-0001")
    labels = design.values("TPV1001-0002")
    groups = re.findall(r"P+R+H*D*", design.tokens.split("M")[0])
    circuit_numbers = [d["_PT_CISLO_OKRUHU"] for d in labels]
    pipes_in_order = [design.records[e.dxf.handle][1] for e in design.listed
                      if e.dxf.handle in design.records and design.records[e.dxf.handle][0] == "TP80000-0001"]
    if len(groups) != len(labels):
        fail(f"{len(groups)} pipe groups but {len(labels)} circuit labels")
    for group, number in zip(groups, circuit_numbers):
        own = [z for z in zones if z["_PT_ZONA_C_OKRUHU"] == number]
        hatched = sum(1 for z in own if z["_PT_X_ZDR_DD"] == "2")
        widths = sum(sum(1 for w in z["_PT_X_ZDR_DARR"].strip("[]").split("|") if w and float(w) > 0) for z in own)
        if not complete:
            continue
        if group.count("H") != hatched:
            fail(f"circuit {number}: {group.count('H')} hatches for {hatched} zones of display type 2")
        if group.count("D") != widths:
            fail(f"circuit {number}: {group.count('D')} dimensions for {widths} border widths")
    if sorted(set(dict(p)["_PT_CISLO_OKRUHU"] for p in pipes_in_order)) != sorted(set(circuit_numbers)):
        fail("the pipes' circuit numbers are not the labels'")
    outlines = [d["_PT_ZONA_CISLO"] for d in design.values("TPV2000-0001")]
    if outlines != [z["_PT_ZONA_CISLO"] for z in zones]:
        fail(f"outlines {outlines} do not follow the descriptions")

    # Hatches, dimensions, annotative groups.
    modes = set()
    for entity in design.listed:
        kind = entity.dxftype()
        mode = tags_of(entity, "VE2R_ANNOTATIVE")
        if kind in ("MTEXT", "DIMENSION"):
            modes.add(None if mode is None else tuple(mode))
        elif mode is not None:
            fail(f"{kind} {entity.dxf.handle} is annotative")
        if kind == "HATCH" and entity.dxf.layer != HATCH_LAYER:
            fail(f"hatch {entity.dxf.handle} on layer {entity.dxf.layer}")
        if kind == "DIMENSION":
            if entity.dxf.layer != "HVKOTY" or entity.dxf.dimstyle != "havlen":
                fail(f"dimension {entity.dxf.handle}: layer {entity.dxf.layer}, style {entity.dxf.dimstyle}")
            if tags_of(entity, "ACAD") != DSTYLE:
                fail(f"dimension {entity.dxf.handle}: overrides {tags_of(entity, 'ACAD')}")
    if len(modes) > 1:
        fail(f"texts and dimensions differ in their annotative groups: {modes}")
    mode = next(iter(modes), None)
    if mode is not None and mode not in (((1071, 1),), ((1071, 3),)):
        fail(f"annotative group {mode}")
    if annotative is not None:
        wanted = None if annotative == 0 else ((1071, annotative),)
        if mode != wanted:
            fail(f"annotative group {mode}, wanted {wanted}")

    # Application names.
    used = {"QEV_DATA", "VE2R_ASSOC"} | ({"ACAD"} if "D" in design.tokens else set())
    used |= {"VE2R_ANNOTATIVE"} if mode else set()
    for app in used:
        if app not in doc.appids:
            fail(f"application {app} is not registered")

    # Pipes drawn from the manifold: the supply starts, the return ends on its outline.
    tol = 25.0 * units.conversion_factor(units.MM, doc.units or units.MM)
    corners = [Vec2(p) for p in manifold_points(manifold)]
    outline = list(zip(corners, corners[1:] + corners[:1]))
    insert = Vec2(manifold.dxf.insert)
    pipes = [(design.records[e.dxf.handle], e) for e in design.listed if e.dxf.handle in design.records]
    for number in circuit_numbers:
        label = next(d for d in labels if d["_PT_CISLO_OKRUHU"] == number)
        x, y, _ = (float(v) for v in label["_PT_X_CD_DINS1"].strip("()").split("|"))
        outlines = [e for (i, pairs), e in pipes if i == "TPV2000-0001" and any(
            z["_PT_ZONA_CISLO"] == dict(pairs)["_PT_ZONA_CISLO"] and z["_PT_ZONA_C_OKRUHU"] == number for z in zones)]
        if not any(_distance(insert + Vec2(x, y), _segments(e)) <= tol for e in outlines):
            continue
        ends = {i: [Vec2(e.get_points("xy")[0 if i == "TP80000-0001" else -1]) for (j, pairs), e in pipes
                    if j == i and dict(pairs)["_PT_CISLO_OKRUHU"] == number] for i in ("TP80000-0001", "TP90000-0001")}
        for identifier, side in (("TP80000-0001", "supply starts"), ("TP90000-0001", "return ends")):
            if not any(_distance(p, outline) <= tol for p in ends[identifier]):
                fail(f"circuit {number}: no {side} at the manifold")

    # The manifold item.
    pairs = dict(item_pairs(manifold))
    for key, rule in MANIFOLD_KEYS:
        if key not in pairs:
            if rule != "text":
                fail(f"the manifold lacks {key}")
        elif not value_matches(pairs[key], rule):
            fail(f"the manifold's {key} = {pairs[key]!r} is not {rule}")
    for key in ("_PT_X_IN_T1", "_PT_X_OUT_T2"):
        if key in pairs:
            fail(f"the manifold keeps {key}")
    if input_path:
        before = ezdxf.readfile(input_path).entitydb.get(handle)
        if before is None or before.dxftype() != "INSERT":
            fail(f"the input drawing has no manifold {handle}")
        else:
            for attribute, default in (("name", None), ("insert", None), ("rotation", 0.0), ("xscale", 1.0),
                                       ("yscale", 1.0), ("zscale", 1.0)):
                a, b = before.dxf.get(attribute, default), manifold.dxf.get(attribute, default)
                if not same_value(a, b):
                    fail(f"the manifold's {attribute} changed: {a} -> {b}")
    return failures, design


def manifold_points(insert):
    """The manifold's connection points as the module reads them: the world
    starts of the block's LINEs, ARCs and LWPOLYLINE segments, in block order;
    joined in order and closed they are its outline."""
    points = []
    for e in insert.virtual_entities():
        kind = e.dxftype()
        if kind == "LINE":
            points.append(Vec3(e.dxf.start))
        elif kind == "ARC":
            points.append(e.start_point)
        elif kind == "LWPOLYLINE":
            ocs = e.ocs()
            vertices = [ocs.to_wcs(Vec3(x, y, e.dxf.elevation)) for x, y in e.get_points("xy")]
            points.extend(vertices if e.closed else vertices[:-1])
    return points


def _segments(polyline):
    points = [Vec2(p) for p in polyline.get_points("xy")]
    return list(zip(points, points[1:] + points[:1]))


def _distance(point, segments):
    """From the point to the nearest of the segments."""
    def to_segment(a, b):
        d = b - a
        t = 0.0 if d.magnitude == 0 else max(0.0, min(1.0, (point - a).dot(d) / d.dot(d)))
        return (a + d * t - point).magnitude
    return min((to_segment(a, b) for a, b in segments), default=math.inf)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("design")
    parser.add_argument("--input")
    parser.add_argument("--annotative", type=int, choices=(0, 1, 3))
    parser.add_argument("--edited", action="store_true", help="an edited design (fresh=False)")
    args = parser.parse_args(argv)
    failures, design = check_design(args.design, args.input, args.annotative, fresh=not args.edited)
    print("\n".join(failures[:60]) or f"ok: {design.tokens}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
