// SPDX-License-Identifier: MIT
// Evaluates script files one after another in one QuickJS context (the engine of TIC-80's
// JavaScript, built for node by the npm package quickjs-emscripten), as global code the way
// the console evaluates a cart. Usage: node quickjs_run.cjs NODE_MODULES FILE...
// Exits with 1 and the engine's error when a file throws, after 10 seconds of running too.
'use strict';
const fs = require('fs');
const path = require('path');

const [modules, ...files] = process.argv.slice(2);
const {getQuickJS, shouldInterruptAfterDeadline} = require(path.resolve(modules, 'quickjs-emscripten'));

getQuickJS().then((QuickJS) => {
    const vm = QuickJS.newContext();
    vm.runtime.setInterruptHandler(shouldInterruptAfterDeadline(Date.now() + 10000));
    const print = vm.newFunction('print', (...args) => {
        console.log(args.map((a) => String(vm.dump(a))).join(' '));
    });
    vm.setProp(vm.global, 'print', print);
    print.dispose();
    for (const file of files) {
        const result = vm.evalCode(fs.readFileSync(file, 'utf8'), file);
        if (result.error) {
            const e = vm.dump(result.error);
            result.error.dispose();
            console.error(file + ': ' + (e && e.name ? e.name + ': ' + e.message + '\n' + (e.stack || '') : String(e)));
            vm.dispose();
            process.exitCode = 1;
            return;
        }
        result.value.dispose();
    }
    vm.dispose();
});
