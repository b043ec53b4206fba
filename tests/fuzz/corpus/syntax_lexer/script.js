const re = /a+[/]/g, half = total / 2;
let s = `sum ${a + `in ${b}`} done`;
x = y
/2/g; // c
/* block
 */ return typeof undefined;
