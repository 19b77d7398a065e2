#!/usr/bin/env python3
"""Prints the benchmark table of scripts/bench.sh: every figure beside its reference and their ratio.

Reads two kinds of result files:
  *.json  Google Benchmark output (--benchmark_format=json with repetitions): the median CPU time
          of each case; a case named <name>_Reference is the reference of <name>.
  other   output of the Wine benchmarks: lines "BENCH<TAB>name<TAB>figure<TAB>reference<TAB>unit
          <TAB>samples<TAB>failed figure<TAB>failed reference" (tests/benchsupport/BenchRow.h).
Rows with the same name (several runs) are merged: medians of figure and reference, sums of the
samples and failures. Every figure is a cost, so a ratio above 1 means the code costs more than
its reference. Exits 1 when any sample failed or a row has no figure.
"""
import json
import math
import statistics
import sys
from dataclasses import dataclass, field
from pathlib import Path

REFERENCE_SUFFIX = "_Reference"


@dataclass
class Row:
    name: str
    unit: str
    figures: list = field(default_factory=list)
    references: list = field(default_factory=list)
    samples: int = 0
    failed_figure: int = 0
    failed_reference: int = 0

    @staticmethod
    def _median(values):
        values = [v for v in values if not math.isnan(v)]
        return statistics.median(values) if values else math.nan

    @property
    def figure(self):
        return self._median(self.figures)

    @property
    def reference(self):
        return self._median(self.references)

    @property
    def ratio(self):
        if math.isnan(self.figure) or math.isnan(self.reference) or self.reference == 0:
            return math.nan
        return self.figure / self.reference


def number(text):
    return math.nan if text in ("-", "") else float(text)


def read_bench_rows(text, source):
    """Rows from the BENCH lines of a Wine benchmark's output."""
    rows = []
    for line in text.splitlines():
        if not line.startswith("BENCH\t"):
            continue
        fields = line.split("\t")
        if len(fields) != 8:
            raise ValueError(f"{source}: malformed row: {line!r}")
        _, name, figure, reference, unit, samples, failed_figure, failed_reference = fields
        rows.append(Row(name, unit, [number(figure)], [number(reference)], int(samples), int(failed_figure),
                        int(failed_reference)))
    return rows


def read_google_benchmark(data, program):
    """Rows from Google Benchmark JSON: medians of the repetitions, each case with its reference."""
    medians, repetitions, errors, units = {}, {}, set(), {}
    for entry in data.get("benchmarks", []):
        run_name = entry.get("run_name", entry["name"])
        if entry.get("error_occurred"):
            errors.add(run_name)
        elif entry.get("run_type") == "aggregate" and entry.get("aggregate_name") == "median":
            medians[run_name] = float(entry["cpu_time"])
            repetitions[run_name] = int(entry.get("repetitions", 1))
            units[run_name] = entry.get("time_unit", "ns")
    rows = []
    for run_name in sorted(set(medians) | errors, key=lambda n: n.replace(REFERENCE_SUFFIX, "", 1)):
        if REFERENCE_SUFFIX in run_name:
            continue
        ref_name = reference_name(run_name)
        row = Row(f"{program}: {run_name}", units.get(run_name, units.get(ref_name, "ns")) + " CPU")
        row.figures.append(medians.get(run_name, math.nan))
        row.references.append(medians.get(ref_name, math.nan))
        row.samples = repetitions.get(run_name, 0)
        row.failed_figure = 1 if run_name in errors else 0
        row.failed_reference = 1 if ref_name in errors else 0
        rows.append(row)
    return rows


def reference_name(run_name):
    """The reference of "planMixedText/0" is "planMixedText_Reference/0"."""
    head, sep, tail = run_name.partition("/")
    return head + REFERENCE_SUFFIX + sep + tail


def read_file(path):
    path = Path(path)
    text = path.read_text(errors="replace")
    if path.suffix == ".json":
        return read_google_benchmark(json.loads(text) if text.strip() else {}, path.stem)
    return read_bench_rows(text, path.name)


def merge(rows):
    merged = {}
    for row in rows:
        if row.name not in merged:
            merged[row.name] = Row(row.name, row.unit)
        target = merged[row.name]
        target.figures += row.figures
        target.references += row.references
        target.samples += row.samples
        target.failed_figure += row.failed_figure
        target.failed_reference += row.failed_reference
    return list(merged.values())


def show(value):
    if math.isnan(value):
        return "-"
    if value == 0 or abs(value) >= 100:
        return f"{value:.0f}"
    return f"{value:.3g}"


def show_ratio(ratio):
    if math.isnan(ratio):
        return "-"
    return f"{ratio:.2f}" if ratio >= 0.1 else f"{ratio:.2g}"


def format_table(rows):
    header = ("benchmark", "figure", "reference", "ratio", "unit", "samples", "failed")
    lines = [header]
    for row in rows:
        lines.append((row.name, show(row.figure), show(row.reference), show_ratio(row.ratio), row.unit, str(row.samples),
                      f"{row.failed_figure}/{row.failed_reference}"))
    widths = [max(len(line[i]) for line in lines) for i in range(len(header))]
    out = []
    for n, line in enumerate(lines):
        cells = [line[0].ljust(widths[0])] + [cell.rjust(width) for cell, width in zip(line[1:4], widths[1:4])]
        cells += [line[4].ljust(widths[4]), line[5].rjust(widths[5]), line[6].rjust(widths[6])]
        out.append("  ".join(cells).rstrip())
        if n == 0:
            out.append("  ".join("-" * width for width in widths))
    return "\n".join(out)


def failed(rows):
    return any(row.failed_figure or row.failed_reference or math.isnan(row.figure) for row in rows)


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    rows = merge([row for path in argv[1:] for row in read_file(path)])
    print(format_table(rows))
    print("figure and reference are medians; ratio = figure / reference (above 1: costs more than the "
          "reference); failed = figure/reference samples that did not deliver what was sent")
    return 1 if failed(rows) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
