// Runs the Khronos glTF-Validator (npm package gltf-validator) on each file given and prints
// its report as one JSON object per file and line: the issue counts and every message.
//   node validate-gltf.js VALIDATOR_MODULE_DIR FILE...
'use strict';
const fs = require('fs');
const path = require('path');

const [moduleDir, ...files] = process.argv.slice(2);
if (!moduleDir || files.length === 0) {
    console.error('usage: node validate-gltf.js VALIDATOR_MODULE_DIR FILE...');
    process.exit(2);
}
const validator = require(path.resolve(moduleDir));

async function validate(file) {
    const bytes = new Uint8Array(fs.readFileSync(file));
    const report = await validator.validateBytes(bytes, {
        uri: path.basename(file),
        maxIssues: 0, // all of them
        externalResourceFunction: (uri) =>
            fs.promises.readFile(path.resolve(path.dirname(file), decodeURIComponent(uri))).then((b) => new Uint8Array(b)),
    });
    const issues = report.issues;
    return {
        file,
        validator: report.validatorVersion,
        errors: issues.numErrors,
        warnings: issues.numWarnings,
        infos: issues.numInfos,
        hints: issues.numHints,
        messages: issues.messages.map((m) => `${['error', 'warning', 'info', 'hint'][m.severity]} ${m.code} ${m.pointer || ''}: ${m.message}`),
    };
}

(async () => {
    let status = 0;
    for (const file of files) {
        try {
            console.log(JSON.stringify(await validate(file)));
        } catch (e) {
            console.log(JSON.stringify({ file, failure: String(e) }));
            status = 1;
        }
    }
    process.exit(status);
})();
