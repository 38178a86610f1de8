#!/usr/bin/env python3
"""Writes engine files by following docs/formats.md alone, and has the engine's loaders read them.

    mes_from_page.py FORMATS_MD ORVEX_INFO

1. The page's worked example: its hex dump, and the same file written here from the tables,
   must be the same bytes, and orvex-info must load it to its last byte.
2. A scene with two materials (one textured by a TGA written from the page), a parent and a
   child node and a mesh of two groups, and an animation of two tracks: loaded whole, with the
   counts and the texture's size as written.
3. Files that break a rule the page lists are refused with the sentence the page gives.
Prints one line per check; exit status 1 when any fails.
"""
import json
import os
import re
import struct
import subprocess
import sys
import tempfile


# The page's field types: little-endian numbers, strings as a length byte and the bytes.
def u8(v): return struct.pack("<B", v)
def i32(v): return struct.pack("<i", v)
def u32(v): return struct.pack("<I", v)
def f32(*vs): return b"".join(struct.pack("<f", v) for v in vs)
def string(s): return u8(len(s)) + s.encode("latin-1")


HEADER = string("RIFF") + i32(100)


def material(name, texture="", ambient=(0.2, 0.2, 0.2, 1), diffuse=(0.8, 0.8, 0.8, 1),
             specular=(0, 0, 0, 1), shininess=0.0):
    return string(name) + f32(*ambient) + f32(*diffuse) + f32(*specular) + f32(shininess) + string(texture)


def node(name, parent, position=(0, 0, 0), rotation=(0, 0, 0, 1)):
    return string(name) + i32(parent) + f32(*position) + f32(*rotation)


def vertex(s, t, normal, position):
    return f32(s, t) + f32(*normal) + f32(*position)


def mesh(name, vertices, node_indices, groups):
    out = string(name) + i32(len(vertices)) + b"".join(vertices)
    out += b"".join(i32(n) for n in node_indices) + i32(len(groups))
    for material_name, lists in groups:
        out += string(material_name) + i32(len(lists))
        for indices in lists:
            out += i32(len(indices)) + b"".join(i32(i) for i in indices)
    return out


def scene(materials, nodes, meshes):
    out = HEADER
    for section in (materials, nodes, meshes):
        out += i32(len(section)) + b"".join(section)
    return out


def tga(width, height, rows_bgr):
    header = u8(0) + u8(0) + u8(2) + bytes(5) + struct.pack("<HHHH", 0, 0, width, height) + u8(24) + u8(0)
    return header + b"".join(rows_bgr)


def animation(tracks, frames):
    out = HEADER + i32(len(tracks)) + i32(0) + u32(frames)
    for name, parent, keys in tracks:
        out += string(name) + i32(parent)
        for position, rotation in keys:
            out += f32(*position) + f32(*rotation)
    return out


def worked_example():
    return scene([material("m")], [node("n", -1)],
                 [mesh("s", [vertex(0, 0, (0, 0, 1), (0, 0, 0)), vertex(1, 0, (0, 0, 1), (1, 0, 0)),
                             vertex(0, 1, (0, 0, 1), (0, 1, 0))], [0, 0, 0], [("m", [[0, 1, 2]])])])


def page_hex(page):
    """The bytes of the page's hex dump: each line an offset, bytes, and after two spaces a note."""
    text = open(page, encoding="utf-8").read()
    block = re.search(r"```\n# worked example\n(.*?)```", text, re.S)
    if not block:
        raise SystemExit("no worked example in " + page)
    data = b""
    for line in block.group(1).splitlines():
        fields = line.split("  ")[0].split()
        if int(fields[0].rstrip(":"), 16) != len(data):
            raise SystemExit("the dump's line %r does not stand at its offset" % line)
        data += bytes(int(h, 16) for h in fields[1:])
    return data


failures = 0


def check(name, ok, detail=""):
    global failures
    print(("ok    " if ok else "FAIL  ") + name + ("" if ok else ": " + detail))
    failures += 0 if ok else 1


def info(tool, path):
    run = subprocess.run([tool, "--json", path], capture_output=True, text=True)
    return run.returncode, json.loads(run.stdout)[0] if run.stdout.strip() else {}


def main():
    page, tool = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp()

    example = worked_example()
    check("the worked example is 250 bytes", len(example) == 250, str(len(example)))
    check("the page's hex dump is the worked example", page_hex(page) == example,
          "the dump and the tables disagree")
    path = os.path.join(work, "example.mes")
    open(path, "wb").write(page_hex(page))
    status, result = info(tool, path)
    check("the worked example loads to its last byte",
          status == 0 and result.get("ok") and result.get("trailingBytes") == 0, json.dumps(result))

    # A 2x2 texture: rows in file order, pixels blue, green, red.
    open(os.path.join(work, "skin.TGA"), "wb").write(
        tga(2, 2, [bytes([0, 0, 255, 0, 255, 0]), bytes([255, 0, 0, 255, 255, 255])]))
    square = [vertex(0, 0, (0, 0, 1), (-1, -1, 0)), vertex(1, 0, (0, 0, 1), (1, -1, 0)),
              vertex(1, 1, (0, 0, 1), (1, 1, 0)), vertex(0, 1, (0, 0, 1), (-1, 1, 0))]
    data = scene([material("skin", texture="skin", shininess=10), material("plain")],
                 [node("root", -1, position=(0, 1, 0)), node("arm", 0, rotation=(0, 0, 0.7071068, 0.7071068))],
                 [mesh("square", square, [0, 0, 1, 1], [("skin", [[0, 1, 2]]), ("plain", [[0, 2, 3], [3, 2]])])])
    path = os.path.join(work, "square.mes")
    open(path, "wb").write(data)
    status, result = info(tool, path)
    loaded = status == 0 and result.get("ok") and result.get("trailingBytes") == 0
    check("a scene written from the tables loads whole", loaded, json.dumps(result)[:400])
    if loaded:
        materials, meshes = result["materials"], result["meshes"]
        check("its counts are as written", (len(materials), len(result["nodes"]), len(meshes),
                                            meshes[0]["vertices"], len(meshes[0]["groups"])) == (2, 2, 1, 4, 2))
        check("its texture is found beside it and read as 2x2 at 24 bits",
              materials[0].get("textureLoaded") and (materials[0].get("textureWidth"),
                                                     materials[0].get("textureHeight")) == (2, 2),
              json.dumps(materials[0]))

    keys = [((0, 0, 0), (0, 0, 0, 1)), ((0, 1, 0), (0, 0, 0, 1)), ((0, 2, 0), (0, 0, 0, 1))]
    path = os.path.join(work, "square.knx")
    open(path, "wb").write(animation([("root", -1, keys), ("arm", 0, keys)], 3))
    status, result = info(tool, path)
    check("an animation written from the tables loads whole",
          status == 0 and result.get("ok") and result.get("trailingBytes") == 0 and result.get("frames") == 3
          and len(result.get("tracks", [])) == 2, json.dumps(result)[:400])

    # Rules the page lists, each with the sentence it gives.
    refused = [
        ("version 101", HEADER[:5] + i32(101) + example[9:], "the version is 101; only version 100 is read"),
        ("a child before its parent", scene([], [node("a", 1), node("b", -1)], []),
         "parent 1 is neither -1 nor below the node's own index"),
        ("an undefined material", scene([], [node("n", -1)], [mesh("s", [], [], [("x", [])])]),
         'material "x" is not defined'),
        ("an index past the vertices", scene([material("m")], [node("n", -1)],
                                              [mesh("s", square[:3], [0, 0, 0], [("m", [[0, 1, 9]])])]),
         "index 9 is not below the vertex count 3"),
        ("a file cut short", example[:-4], "index count 3 needs at least 12 bytes, the file has 8 left"),
    ]
    for name, data, reason in refused:
        path = os.path.join(work, "refused.mes")
        open(path, "wb").write(data)
        status, result = info(tool, path)
        got = result.get("error", {}).get("reason")
        check("refused, as the page says: " + name, status == 1 and got == reason, "%d %r" % (status, got))

    print("%d failed" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
