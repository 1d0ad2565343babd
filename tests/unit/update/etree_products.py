#!/usr/bin/python3
"""Prints the products of a product list document as Python's xml.etree reads
them: per product its identifier, title, version, description text, screenshot
URL, icon URL and download URL, each on a line of its own as hex-encoded UTF-8.
Namespaces are dropped from element names. Prints "unreadable" when etree
refuses the document or a product lacks a field."""
import sys
import xml.etree.ElementTree as ET

FIELDS = ["ID", "Title", "Version", "Description/Text", "Description/ScreenshotURL", "Description/IconURL",
          "DownloadURL"]


def local_names(element):
    for e in element.iter():
        if isinstance(e.tag, str) and "}" in e.tag:
            e.tag = e.tag.split("}", 1)[1]


def main():
    try:
        root = ET.parse(sys.argv[1]).getroot()
    except ET.ParseError:
        print("unreadable")
        return
    local_names(root)
    products = root.find("ProductsList")
    count = int(products.findtext("Count").strip())
    for number in range(1, count + 1):
        product = products.find("Product%d" % number)
        for field in FIELDS:
            element = product.find(field)
            if element is None:
                print("unreadable")
                return
            print((element.text or "").encode("utf-8").hex())


main()
