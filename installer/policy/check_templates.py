#!/usr/bin/env python3
"""Checks the Group Policy templates against each other and against the program.

    check_templates.py Quilbar.admx en-US/Quilbar.adml VALUES

VALUES is the output of the native tool policy_values: every value the program reads from its
policy key, with its type. Both templates must be well-formed XML; every $(string.x) and
$(presentation.x) of the ADMX must exist in the ADML, and every presentation's refId must name an
element of its policy; every registry value a policy writes must be under the program's policy
key, be one the program reads, and be written with the type the program reads it as.
"""
import re
import sys
import xml.etree.ElementTree as ET

NS = "{http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions}"
POLICY_KEY = r"Software\Policies\Tarnwick\Quilbar2"
# The type each ADMX element writes.
ELEMENT_TYPES = {"text": "REG_SZ", "decimal": "REG_DWORD", "multiText": "REG_MULTI_SZ"}


def value_type(node):
    """The registry type a <value> (or enabledValue, an enum item's value) writes."""
    if node.find(NS + "decimal") is not None:
        return "REG_DWORD"
    if node.find(NS + "string") is not None:
        return "REG_SZ"
    return None


def main(admx_path, adml_path, values_path):
    problems = []
    admx = ET.parse(admx_path).getroot()
    adml = ET.parse(adml_path).getroot()
    program = dict(line.split() for line in open(values_path) if line.strip())

    strings = {s.get("id") for s in adml.iter(NS + "string")}
    presentations = {p.get("id"): p for p in adml.iter(NS + "presentation")}
    for node in admx.iter():
        for attribute, text in node.attrib.items():
            for kind, name in re.findall(r"\$\((string|presentation)\.([^)]*)\)", text):
                table = strings if kind == "string" else presentations
                if name not in table:
                    problems.append(f"{node.get('name') or node.tag}: {attribute} names {kind} {name}, not in the ADML")

    for policy in admx.iter(NS + "policy"):
        name = policy.get("name")
        key = policy.get("key")
        if key != POLICY_KEY:
            problems.append(f"{name}: key {key} is not {POLICY_KEY}")
        written = []  # (value name, type, where)
        if policy.get("valueName"):
            for part in ("enabledValue", "disabledValue"):
                node = policy.find(NS + part)
                if node is None:
                    problems.append(f"{name}: valueName without {part}")
                else:
                    written.append((policy.get("valueName"), value_type(node), part))
        element_ids = set()
        elements = policy.find(NS + "elements")
        for element in (list(elements) if elements is not None else []):
            tag = element.tag[len(NS):]
            element_ids.add(element.get("id"))
            if element.get("key") not in (None, POLICY_KEY):
                problems.append(f"{name}: element {element.get('id')} writes below {element.get('key')}")
            if tag == "enum":
                for item in element.iter(NS + "value"):
                    written.append((element.get("valueName"), value_type(item), "enum item"))
            elif tag == "boolean":
                # A box writes 1 when ticked and 0 when not, unless it names other values.
                values = [element.find(NS + part) for part in ("trueValue", "falseValue")]
                types = {value_type(node) for node in values if node is not None} or {"REG_DWORD"}
                for type_ in types:
                    written.append((element.get("valueName"), type_, tag))
            elif tag in ELEMENT_TYPES:
                written.append((element.get("valueName"), ELEMENT_TYPES[tag], tag))
            else:
                problems.append(f"{name}: element {tag} is not checked here")
        for value_name, type_, where in written:
            if value_name not in program:
                problems.append(f"{name}: {where} writes {value_name}, which the program does not read")
            elif program[value_name] != type_:
                problems.append(f"{name}: {where} writes {value_name} as {type_}, the program reads {program[value_name]}")
        reference = re.fullmatch(r"\$\(presentation\.([^)]*)\)", policy.get("presentation") or "")
        if reference and reference.group(1) in presentations:
            for child in presentations[reference.group(1)]:
                if child.get("refId") and child.get("refId") not in element_ids:
                    problems.append(f"{name}: presentation control {child.get('refId')} names no element")
        elif elements is not None and len(elements):
            problems.append(f"{name}: elements without a presentation")

    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
