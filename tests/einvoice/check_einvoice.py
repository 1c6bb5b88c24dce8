#!/usr/bin/env python3
"""Checks e-invoice documents against the IRP's published JSON schema and its arithmetic rules.

Usage: check_einvoice.py DOCUMENTS.json SCHEMA.json
Prints one line per fault and exits 1 when there is any, 0 when every document passes.

irp-invoice-schema.json is the e-invoice schema INV-01 version 1.1 as the GST e-invoice system
(NIC) publishes it, cut to the sections these documents use: Version, Irn, TranDtls, DocDtls,
SellerDtls, BuyerDtls, ItemList, ValDtls and the list of required sections; the dispatch, shipping,
payment, reference, export and e-way bill sections are left out. Its text is kept as published.

The published schema lists the document's fields at
its top level rather than under "properties", writes lists as a one-element array of the item
schema, and spells some types "String" or " number". A validator would ignore all of that, so
the schema is first read the way it is meant: fields into "properties", lists into
{"type": "array", "items": ...}, types in their standard spelling.
"""
import decimal
import json
import sys

import jsonschema

D = decimal.Decimal
KEYWORDS = {"$schema", "Title", "Description", "required", "type", "properties"}
RATES = {D(r) for r in ("0", "0.1", "0.25", "1", "1.5", "3", "5", "6", "7.5", "12", "18", "28")}


def normalised(field):
    """A field's schema as published, in standard form."""
    if isinstance(field, list):
        return {"type": "array", "minItems": 1, "items": normalised(field[0])}
    out = {}
    for key, value in field.items():
        key = key.strip()
        if key == "type":
            out[key] = value.strip().lower()
        elif key == "properties":
            out[key] = {name.strip(): normalised(v) for name, v in value.items()}
        elif key == "required":
            out[key] = [name.strip() for name in value]
        else:
            out[key] = value
    return out


def strict_schema(published):
    fields = {k: normalised(v) for k, v in published.items() if k not in KEYWORDS}
    return {"$schema": published["$schema"], "type": "object", "properties": fields,
            "required": published["required"]}


def arithmetic_faults(doc):
    faults = []
    items = doc["ItemList"]
    values = doc["ValDtls"]
    money = lambda x: D(str(x)).quantize(D("0.01"))

    def same(what, got, wanted):
        if D(str(got)) != D(str(wanted)):
            faults.append(f"{what} is {got}, should be {wanted}")

    for item in items:
        name = "item " + item["SlNo"]
        same(name + " TotAmt", item["TotAmt"], money(D(str(item["UnitPrice"])) * D(str(item.get("Qty", 1)))))
        same(name + " AssAmt", item["AssAmt"], D(str(item["TotAmt"])) - D(str(item.get("Discount", 0))))
        parts = ("AssAmt", "CgstAmt", "SgstAmt", "IgstAmt", "CesAmt", "CesNonAdvlAmt", "StateCesAmt",
                 "StateCesNonAdvlAmt", "OthChrg")
        same(name + " TotItemVal", item["TotItemVal"], sum(D(str(item.get(p, 0))) for p in parts))
        rate = D(str(item["GstRt"]))
        if rate not in RATES:
            faults.append(f"{name} GstRt {rate} is not a GST rate")
        taxable = D(str(item["AssAmt"]))
        igst, cgst, sgst = (D(str(item.get(k, 0))) for k in ("IgstAmt", "CgstAmt", "SgstAmt"))
        if igst and (cgst or sgst):
            faults.append(f"{name} carries IGST and CGST/SGST")
        if igst and abs(igst - taxable * rate / 100) > 1:
            faults.append(f"{name} IGST {igst} is not {rate}% of {taxable}")
        if not igst and (abs(cgst - taxable * rate / 200) > 1 or abs(sgst - taxable * rate / 200) > 1):
            faults.append(f"{name} CGST {cgst} / SGST {sgst} are not half of {rate}% of {taxable}")
    for total, part in (("AssVal", "AssAmt"), ("CgstVal", "CgstAmt"), ("SgstVal", "SgstAmt"), ("IgstVal", "IgstAmt")):
        same("ValDtls " + total, values.get(total, 0), sum(D(str(i.get(part, 0))) for i in items))
    parts = ("AssVal", "CgstVal", "SgstVal", "IgstVal", "CesVal", "StCesVal", "OthChrg", "RndOffAmt")
    same("ValDtls TotInvVal", values["TotInvVal"],
         sum(D(str(values.get(p, 0))) for p in parts) - D(str(values.get("Discount", 0))))
    buyer, seller = doc["BuyerDtls"], doc["SellerDtls"]
    if buyer["Stcd"] != buyer["Gstin"][:2] or buyer["Pos"] != buyer["Stcd"]:
        faults.append("the buyer's state code and place of supply are not the GSTIN's state")
    if seller["Stcd"] != seller["Gstin"][:2]:
        faults.append("the seller's state code is not the GSTIN's state")
    inter_state = seller["Stcd"] != buyer["Pos"]
    if any(D(str(i.get("IgstAmt", 0))) for i in items) != inter_state:
        faults.append("IGST goes with supplies between states, CGST and SGST within one")
    return faults


def main():
    if len(sys.argv) != 3:
        print(__doc__.splitlines()[2], file=sys.stderr)
        return 2
    with open(sys.argv[1], encoding="utf-8") as f:
        documents = json.load(f)
    with open(sys.argv[2], encoding="utf-8") as f:
        validator = jsonschema.Draft7Validator(strict_schema(json.load(f)))
    faults = []
    if not isinstance(documents, list):
        faults.append("the file is not an array of documents")
        documents = []
    for doc in documents:
        name = doc.get("DocDtls", {}).get("No", "?")
        errors = [f"{'/'.join(map(str, e.path))}: {e.message}" for e in validator.iter_errors(doc)]
        faults += [f"{name}: {e}" for e in errors]
        if not errors:
            faults += [f"{name}: {e}" for e in arithmetic_faults(doc)]
    for fault in faults:
        print(fault)
    print(f"{len(documents)} documents checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
