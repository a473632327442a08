"""border_problems(path, design): the failures of a saved design's pipes
against the drawn border width R ("_PT_ZONA_R") x u (drawing units per metre,
"_PT_X_ZDR_SPC" / "_PT_ZONA_L_ROZTEC"). Pipe inside a zone, farther than
R x u + the spacing (along the pipe) from where it meets the boundary, is
nowhere nearer the outline than R x u x cos 45 deg - 2 mm (a reflex corner's
offset is chamfered), and over the middles of the straight walls its nearest
run lies at R x u within 2 mm. The bends (the arcs of the drawn polylines)
inside a zone, but those within R x u + the spacing of where the pipe meets
the boundary (the leads' bends), keep R x u from the outline within 2 mm,
at reflex corners and beside walls that bow into the zone too."""
import math

import ezdxf
from ezdxf import path as ezpath
from ezdxf.math import bulge_to_arc
from spiral_dxf_check import inside, outline_distance, samples_of


def _bends(pipe, step):
    """The samples (about `step` apart) of each arc of the polyline."""
    points = pipe.get_points("xyb")
    for a, b in zip(points, points[1:]):
        if abs(a[2]) < 1e-12:
            continue
        centre, start, end, radius = bulge_to_arc(a[:2], b[:2], a[2])
        sweep = (end - start) % (2 * math.pi)
        n = max(2, int(math.ceil(radius * sweep / step)))
        yield [(centre.x + radius * math.cos(start + sweep * k / n), centre.y + radius * math.sin(start + sweep * k / n))
               for k in range(n + 1)]


def _to_segment(p, a, b):
    """The distance of p from the segment, and where its foot lies along it (0 to 1)."""
    dx, dy = b[0] - a[0], b[1] - a[1]
    t = max(0.0, min(1.0, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / (dx * dx + dy * dy or 1.0)))
    return math.hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dy), t


def border_problems(path, design):
    problems, entities = [], {e.dxf.handle: e for e in ezdxf.readfile(path).modelspace()}
    outlines, pipes = {}, {}
    for handle, (identifier, pairs) in design.records.items():
        if identifier == "TPV2000-0001":
            outlines[dict(pairs)["_PT_ZONA_CISLO"]] = entities[handle]
        elif identifier in ("TP80000-0001", "TP90000-0001"):
            pipes.setdefault(dict(pairs)["_PT_CISLO_OKRUHU"], []).append(entities[handle])
    for zone in design.values("TPV1000-0001"):
        if zone["_PT_ZONA_C_OKRUHU"] == "-1":
            continue
        spacing = float(zone["_PT_X_ZDR_SPC"])
        u = spacing / float(zone["_PT_ZONA_L_ROZTEC"])
        border, slack, near_end = float(zone["_PT_ZONA_R"]) * u, 0.002 * u, float(zone["_PT_ZONA_R"]) * u + spacing
        outline = outlines[zone["_PT_ZONA_CISLO"]]
        polygon = [(v.x, v.y) for v in ezpath.make_path(outline).flattening(0.0001 * u)]
        corners = outline.get_points("xyb")
        walls = [(a[:2], b[:2], near_end / math.dist(a[:2], b[:2])) for a, b in zip(corners[-1:] + corners[:-1], corners)
                 if abs(a[2]) < 1e-9 and math.dist(a[:2], b[:2]) > 2 * near_end]
        nearest = nearest_wall = nearest_bend = math.inf
        for pipe in pipes.get(zone["_PT_ZONA_C_OKRUHU"], []):
            points = [(v.x, v.y) for v in ezpath.make_path(pipe).flattening(0.0001 * u)]
            samples = samples_of(points, 0.01 * u)  # (point, length along the pipe) every 10 mm at most
            within = [inside(polygon, p) for p, _ in samples]
            gaps = [outline_distance(polygon, p) for p, _ in samples]
            meets = [s for (_, s), gap in zip(samples, gaps) if gap < slack / 4]
            meets += [samples[k][1] for k in range(1, len(samples)) if within[k] != within[k - 1]]
            met = [p for (p, s), gap in zip(samples, gaps) if gap < slack / 4]
            met += [samples[k][0] for k in range(1, len(samples)) if within[k] != within[k - 1]]
            for bend in _bends(pipe, 0.002 * u):
                if all(inside(polygon, p) for p in bend) and all(math.dist(p, m) > near_end for p in bend for m in met):
                    nearest_bend = min(nearest_bend, min(outline_distance(polygon, p) for p in bend))
            for (p, s), is_inside, gap in zip(samples, within, gaps):
                if not is_inside or any(abs(s - m) < near_end for m in meets):
                    continue
                nearest = min(nearest, gap)
                for a, b, end in walls:
                    d, t = _to_segment(p, a, b)
                    if end < t < 1 - end:
                        nearest_wall = min(nearest_wall, d)
        name = f"zone {zone['_PT_ZONA_CISLO']}"
        if nearest == math.inf:
            problems.append(f"{name}: no laid pipe inside it")
        elif nearest < border * math.cos(math.pi / 4) - slack:
            problems.append(f"{name}: the pipe comes {nearest:.1f} from the boundary, R x u is {border:.1f}")
        elif walls and abs(nearest_wall - border) > slack:
            problems.append(f"{name}: the nearest run along a wall lies {nearest_wall:.1f} from it, R x u {border:.1f}")
        if nearest_bend < border - slack:
            problems.append(f"{name}: a bend of the pipe comes {nearest_bend:.1f} from the boundary, R x u is {border:.1f}")
    return problems
