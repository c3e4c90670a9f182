# Reads a CSV table as a spreadsheet user's script would, with Python's csv
# module: UTF-8 with its byte order mark, ";" between fields. Prints the rows
# as JSON, and whether the csv module's sniffer finds the separator itself.
import csv
import json
import sys

with open(sys.argv[1], newline="", encoding="utf-8-sig") as f:
    text = f.read()
rows = list(csv.reader(text.splitlines(keepends=True), delimiter=";"))
first_line = text.split("\r\n", 1)[0]
sniffed = csv.Sniffer().sniff(first_line, delimiters=";,\t").delimiter
print(json.dumps({"rows": rows, "sniffed": sniffed}))
