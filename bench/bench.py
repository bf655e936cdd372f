#!/usr/bin/env python3
"""Times the shared ASCII STL reader and Saxmorrow on a large closed mesh,
each beside the same work done with plain fgets/fscanf/fprintf and, when it
is installed, with admesh; prints the ratios and the peak memory of each
process. Run through bench/run.sh, which builds the tools and the mesh."""

import argparse
import os
import shutil
import statistics
import subprocess
import sys

# 10 degrees about x, with six decimals, as Ostravel writes a matrix.
ROTATION = "1.000000\t0.000000\t0.000000\n0.000000\t0.984808\t-0.173648\n0.000000\t0.173648\t0.984808"


MEASURE = None  # the measure tool (bench/measure.cpp)
SCRATCH = None  # folder for the programs' standard input and output


def measure(argv, repeat, cwd=None, stdin_text=None, prepare=None):
    """Best and median wall time over `repeat` runs, the peak memory in MiB
    and the standard output of the last run."""
    times = []
    peak_kib = 0
    stdin_file = os.path.join(SCRATCH, "stdin.txt")
    stdout_file = os.path.join(SCRATCH, "stdout.txt")
    with open(stdin_file, "w") as f:
        f.write(stdin_text or "")
    for _ in range(repeat):
        if prepare is not None:
            prepare()
        result = subprocess.run([MEASURE, stdin_file, stdout_file, cwd or os.getcwd()] + argv, check=True,
                                capture_output=True, text=True)
        seconds, kib, status = result.stdout.split()
        with open(stdout_file, "rb") as f:
            output = f.read()
        if int(status) != 0:
            sys.exit("benchmark step failed (%s): %s\n%s" % (status, " ".join(argv),
                                                             output.decode(errors="replace")[-2000:]))
        times.append(float(seconds))
        peak_kib = max(peak_kib, int(kib))
    return min(times), statistics.median(times), peak_kib / 1024.0, output


def warm(path):
    with open(path, "rb") as f:
        while f.read(1 << 20):
            pass


def fmt_time(t):
    return "%.3f s" % t


def row(label, ours, base, base_label, admesh=None, admesh_label=""):
    ratio = base[0] / ours[0] if ours[0] > 0 else float("inf")
    text = "%-30s %9s %9s   %-9s %9s %6.1fx" % (label, fmt_time(ours[0]), fmt_time(ours[1]), base_label,
                                                  fmt_time(base[0]), ratio)
    if admesh is not None:
        text += "   %-24s %9s %6.1fx" % (admesh_label, fmt_time(admesh[0]), admesh[0] / ours[0])
    print(text)
    memory = "%-30s %8.1f MiB (%s %.1f MiB" % ("  peak memory", ours[2], base_label, base[2])
    if admesh is not None:
        memory += ", admesh %.1f MiB" % admesh[2]
    print(memory + ")")


def species_folder(root, species):
    for sub in ("ScanRef/Volumes", "ScanRef/Surfaces", "ScanRef/Other", "FEA", "Matrix", "VestRef/Other",
                "VestRef/MaxAxes"):
        os.makedirs(os.path.join(root, "Data", species, sub), exist_ok=True)


def place(mesh, target):
    """Puts the mesh at target without copying its bytes where possible."""
    if os.path.lexists(target):
        os.remove(target)
    try:
        os.link(mesh, target)
    except OSError:
        shutil.copyfile(mesh, target)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--mesh", required=True)
    parser.add_argument("--small-mesh")
    parser.add_argument("--out", required=True)
    parser.add_argument("--brindleck", default="")
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()

    mesh = os.path.abspath(args.mesh)
    out = os.path.abspath(args.out)
    bench = os.path.join(os.path.abspath(args.bin), "stl_bench")
    saxmorrow = os.path.join(os.path.abspath(args.bin), "Saxmorrow")
    admesh = shutil.which("admesh")
    repeat = args.repeat
    global MEASURE, SCRATCH
    MEASURE = os.path.join(os.path.abspath(args.bin), "measure")
    SCRATCH = out

    warm(mesh)
    lines = int(measure([bench, "count", mesh], 1)[3].split()[0])
    facets = (lines - 2) // 7
    size = os.path.getsize(mesh)
    print("Mesh %s: %d facets, %d lines, %.1f MB (%.1f MiB)" % (os.path.relpath(mesh), facets, lines, size / 1e6,
                                                                 size / 2**20))
    print("Warm cache, one thread; best and median of %d runs of each process; ratio = baseline / ours." % repeat)
    print()
    print("%-30s %9s %9s   %-9s %9s %7s" % ("work", "best", "median", "baseline", "best", "ratio"))

    wc = measure(["/usr/bin/wc", "-l", mesh], repeat) if os.path.exists("/usr/bin/wc") else None

    count = measure([bench, "count", mesh], repeat)
    fgets = measure([bench, "fgets-count", mesh], repeat)
    row("line count", count, fgets, "fgets")
    if wc is not None:
        print("%-30s %9s" % ("  wc -l, for reference", fmt_time(wc[0])))

    read = measure([bench, "read", mesh], repeat)
    fscanf = measure([bench, "fscanf-read", mesh], repeat)
    admesh_check = measure([admesh, "-c", mesh], repeat) if admesh else None
    row("count + read every facet", read, fscanf, "fscanf", admesh_check, "admesh -c")
    if read[3].split(b",")[0] != fscanf[3].split(b",")[0] or read[3].split()[3] != fscanf[3].split()[3]:
        sys.exit("the shared reader and fscanf disagree: %r %r" % (read[3], fscanf[3]))
    print("%-30s %s" % ("  both give", read[3].decode().strip()))
    read_vector = measure([bench, "read-vector", mesh], repeat)
    print("%-30s %9s %9s" % ("  one triple (read-vector)", fmt_time(read_vector[0]), fmt_time(read_vector[1])))

    # Saxmorrow's whole registration: banner, dialogue, matrix, the mesh
    # counted, read, rotated and written, error log, closing prompt.
    work = os.path.join(out, "work")
    species_folder(work, "Bench")
    with open(os.path.join(work, "Data", "Bench", "Matrix", "Bench.transmat"), "w") as f:
        f.write(ROTATION)
    place(mesh, os.path.join(work, "Data", "Bench", "ScanRef", "Other", "mesh.stl"))
    registered = os.path.join(work, "Data", "Bench", "VestRef", "Other", "mesh.stl")
    sax = measure([saxmorrow], repeat, cwd=work, stdin_text="Bench\n1\nmesh\n1\n2\nx\n")
    matrix_file = os.path.join(out, "rotation.transmat")
    with open(matrix_file, "w") as f:
        f.write(ROTATION)
    baseline_out = os.path.join(out, "fprintf_registered.stl")
    fprintf = measure([bench, "fprintf-register", matrix_file, mesh, baseline_out], repeat)
    admesh_out = os.path.join(out, "admesh_registered.stl")
    admesh_reg = measure([admesh, "-c", "--x-rotate=10", "-a", admesh_out, mesh], repeat) if admesh else None
    row("registration (Saxmorrow)", sax, fprintf, "fprintf", admesh_reg, "admesh -c --x-rotate=10 -a")
    same = subprocess.run(["cmp", "-s", registered, baseline_out]).returncode == 0
    print("%-30s %s (%.1f MB)" % ("  Saxmorrow's output and fprintf's", "identical" if same else "DIFFER",
                                  os.path.getsize(registered) / 1e6))
    if not same:
        sys.exit("Saxmorrow's registered mesh differs from the fprintf baseline")
    # The registered copies are large; the meshes stay for the next run.
    for path in (registered, baseline_out, admesh_out):
        if os.path.exists(path):
            os.remove(path)

    if args.small_mesh:
        small = os.path.abspath(args.small_mesh)
        warm(small)
        place(small, os.path.join(work, "Data", "Bench", "ScanRef", "Other", "small.stl"))
        small_run = measure([saxmorrow], 1, cwd=work, stdin_text="Bench\n1\nsmall\n1\n2\nx\n")
        print("%-30s %8.1f MiB for a mesh of %.1f MB, %.1f MiB for %.1f MB" %
              ("  Saxmorrow's peak memory", small_run[2], os.path.getsize(small) / 1e6, sax[2], size / 1e6))

    # Brindleck's whole run on a species whose one segment mesh is this mesh
    # (every other input missing): right side, millimetres.
    print()
    if args.brindleck and os.access(args.brindleck, os.X_OK):
        bwork = os.path.join(out, "brindleck")
        species_folder(bwork, "Bench")
        place(mesh, os.path.join(bwork, "Data", "Bench", "ScanRef", "Volumes", "rv_Bench_Sa.stl"))

        def fresh_logs():
            for name in os.listdir(os.path.join(bwork, "Data", "Bench")):
                path = os.path.join(bwork, "Data", "Bench", name)
                if os.path.isfile(path):
                    os.remove(path)

        brindleck = measure([os.path.abspath(args.brindleck)], repeat, cwd=bwork, stdin_text="Bench\n1\n2\n1\nx\n",
                            prepare=fresh_logs)
        row("Brindleck whole run", brindleck, fscanf, "fscanf", admesh_check, "admesh -c")
    else:
        print("Brindleck whole run: skipped (no Brindleck executable built yet)")

    print()
    targets = [
        ("count + read every facet under 0.3 s", read[0] < 0.3),
        ("whole registration under 0.8 s", sax[0] < 0.8),
        ("peak memory under 16 MiB", max(count[2], read[2], sax[2]) < 16.0),
    ]
    for text, met in targets:
        print("target %-40s %s" % (text + ":", "met" if met else "NOT met"))


if __name__ == "__main__":
    main()
