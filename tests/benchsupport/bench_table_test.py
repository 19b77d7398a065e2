"""Tests of scripts/bench_table.py: what the benchmark table pairs, merges and reports."""
import json
import math
import tempfile
import unittest
from pathlib import Path

import bench_table


def gb_entry(run_name, cpu_time, aggregate="median", repetitions=5, unit="ns"):
    return {"name": f"{run_name}_{aggregate}", "run_name": run_name, "run_type": "aggregate",
            "aggregate_name": aggregate, "repetitions": repetitions, "cpu_time": cpu_time, "time_unit": unit}


class GoogleBenchmarkTest(unittest.TestCase):
    def rows(self, entries):
        return {row.name: row for row in bench_table.read_google_benchmark({"benchmarks": entries}, "Bench")}

    def test_each_case_is_paired_with_its_reference_by_name(self):
        rows = self.rows([
            gb_entry("BM_Parse", 300), gb_entry("BM_Parse", 999, aggregate="mean"),
            gb_entry("BM_Parse_Reference", 100),
            gb_entry("plan/0", 50, unit="us"), gb_entry("plan_Reference/0", 25, unit="us"),
            gb_entry("plan/1", 10, unit="us"), gb_entry("plan_Reference/1", 40, unit="us"),
        ])
        self.assertEqual(["Bench: BM_Parse", "Bench: plan/0", "Bench: plan/1"], sorted(rows))
        cases = [("Bench: BM_Parse", 300, 100, 3.0, "ns CPU"), ("Bench: plan/0", 50, 25, 2.0, "us CPU"),
                 ("Bench: plan/1", 10, 40, 0.25, "us CPU")]
        for name, figure, reference, ratio, unit in cases:
            with self.subTest(name):
                row = rows[name]
                self.assertEqual((figure, reference, unit, 5), (row.figure, row.reference, row.unit, row.samples))
                self.assertAlmostEqual(ratio, row.ratio)

    def test_a_case_without_reference_has_no_ratio(self):
        row = self.rows([gb_entry("BM_Alone", 10)])["Bench: BM_Alone"]
        self.assertTrue(math.isnan(row.reference))
        self.assertTrue(math.isnan(row.ratio))

    def test_a_reference_that_refused_to_run_counts_as_failed(self):
        error = {"name": "BM_Parse_Reference", "run_name": "BM_Parse_Reference", "run_type": "iteration",
                 "error_occurred": True, "error_message": "the plain parser decodes the text differently"}
        rows = list(self.rows([gb_entry("BM_Parse", 300), error]).values())
        self.assertEqual((0, 1), (rows[0].failed_figure, rows[0].failed_reference))
        self.assertTrue(bench_table.failed(rows))


class WineRowTest(unittest.TestCase):
    def test_rows_are_read_from_bench_lines_only(self):
        text = ("noise before\n"
                "BENCH\tserial latency: p99\t4.5\t1.5\tms\t1000\t2\t0\n"
                "BENCH\tserial idle: Wine server CPU\t30\t-\tCPU ms/s\t6\t0\t0\n")
        rows = bench_table.read_bench_rows(text, "serial.txt")
        self.assertEqual(["serial latency: p99", "serial idle: Wine server CPU"], [row.name for row in rows])
        self.assertEqual((4.5, 1.5, "ms", 1000, 2, 0), (rows[0].figure, rows[0].reference, rows[0].unit,
                                                         rows[0].samples, rows[0].failed_figure,
                                                         rows[0].failed_reference))
        self.assertAlmostEqual(3.0, rows[0].ratio)
        self.assertTrue(math.isnan(rows[1].reference))

    def test_a_malformed_row_is_refused_with_its_file(self):
        with self.assertRaisesRegex(ValueError, "serial.txt"):
            bench_table.read_bench_rows("BENCH\tonly\ttwo\n", "serial.txt")

    def test_runs_of_the_same_row_merge_into_medians_and_sums(self):
        runs = [bench_table.Row("typing", "ms", [f], [r], 9, ff, fr)
                for f, r, ff, fr in [(10, 5, 0, 0), (30, 6, 1, 0), (20, 7, 0, 2)]]
        (row,) = bench_table.merge(runs)
        self.assertEqual((20, 6, 27, 1, 2), (row.figure, row.reference, row.samples, row.failed_figure,
                                             row.failed_reference))

    def test_a_row_without_figure_fails_the_table(self):
        self.assertTrue(bench_table.failed([bench_table.Row("x", "ms", [math.nan], [1.0])]))
        self.assertFalse(bench_table.failed([bench_table.Row("x", "ms", [2.0], [1.0])]))


class TableTest(unittest.TestCase):
    def test_small_ratios_keep_two_significant_digits(self):
        cases = [(3.0, "3.00"), (0.5, "0.50"), (0.0025, "0.0025"), (math.nan, "-")]
        for ratio, shown in cases:
            with self.subTest(ratio):
                self.assertEqual(shown, bench_table.show_ratio(ratio))

    def test_files_of_both_kinds_make_one_table_with_ratio_and_failures(self):
        with tempfile.TemporaryDirectory() as folder:
            gb = Path(folder, "EngineBench.json")
            gb.write_text(json.dumps({"benchmarks": [gb_entry("BM_X", 200), gb_entry("BM_X_Reference", 100)]}))
            wine = Path(folder, "typing.txt")
            wine.write_text("BENCH\ttyping: arrived\t750\t500\tms\t9\t0\t1\n")
            rows = bench_table.merge(bench_table.read_file(gb) + bench_table.read_file(wine))
        lines = bench_table.format_table(rows).splitlines()
        self.assertEqual(["benchmark", "figure", "reference", "ratio", "unit", "samples", "failed"], lines[0].split())
        self.assertEqual(["EngineBench:", "BM_X", "200", "100", "2.00", "ns", "CPU", "5", "0/0"], lines[2].split())
        self.assertEqual(["typing:", "arrived", "750", "500", "1.50", "ms", "9", "0/1"], lines[3].split())


if __name__ == "__main__":
    unittest.main()
